; The menu: the technician chooses the card by its key, 1-9 then A-Z, 35
; cards a page in two columns (one column when there are no more than 18
; cards); + or PgDn shows the next page, - or PgUp the previous one; 0 or
; Esc chooses none, and so do 30 seconds without a key.
;
; The menu is written through DOS like every other line; its first
; drawing scrolls the screen as needed, later ones (another page, the
; seconds left) go back to their rows with the BIOS cursor (INT 10h).

MENU_KEYS	equ 35		; cards a page: keys 1-9, A-Z
MENU_ROWS	equ 18		; rows of the left column
MENU_TICKS	equ 546		; 30 seconds of BIOS ticks, 18.2 a second
DAY_TICKS	equ 1800B0h	; BIOS ticks from midnight to midnight

section .bss
menu_page	resw 1
menu_pages	resw 1
menu_rows	resw 1
menu_width	resw 1		; most characters of a title shown
menu_top	resb 1		; screen row of the menu's heading
video_page	resb 1
count_row	resb 1		; where the seconds left are shown
count_col	resb 1
shown_seconds	resw 1
timer_last	resd 1
timer_elapsed	resw 1

section .text

;------------------------------------------------------------------------------
; MENU_CHOOSE - let the technician choose the card
;	Return:	CF clear: BX = the chosen card's number
;		CF set: none chosen (0 or Esc, or 30 seconds without a key)
;	Destroys: AX CX DX SI DI, the upper half of EAX
;------------------------------------------------------------------------------
menu_choose:
	; keys typed before the menu was shown choose nothing
.flush:
	mov ah, 01h
	int 16h
	jz .flushed
	xor ah, ah
	int 16h
	jmp .flush
.flushed:
	mov ax, [card_count]
	add ax, MENU_KEYS - 1
	xor dx, dx
	mov cx, MENU_KEYS
	div cx
	mov [menu_pages], ax
	mov word [menu_page], 0
	mov word [menu_rows], MENU_ROWS
	mov word [menu_width], 36
	mov ax, [card_count]
	cmp ax, MENU_ROWS
	ja .two_columns
	mov [menu_rows], ax
	mov word [menu_width], 75
.two_columns:
	mov ah, 0Fh
	int 10h
	mov [video_page], bh
	call menu_draw
	; the heading's row, wherever the screen has scrolled it to
	call get_cursor
	mov al, dh
	sub al, [menu_rows]
	dec al
	jns .top
	xor al, al
.top:
	mov [menu_top], al
	call menu_prompt
	call timer_start
.wait:
	call menu_countdown
	jc .none
	mov ah, 01h
	int 16h
	jnz .key
	sti
	hlt			; until the next tick or key
	jmp .wait
.key:
	xor ah, ah
	int 16h
	call timer_start	; a key starts the 30 seconds anew
	cmp al, '0'
	je .none
	cmp al, 1Bh
	je .none
	cmp al, '+'
	je .next_page
	cmp al, '-'
	je .previous_page
	test al, al
	jz .extended
	cmp al, 0E0h
	jne .card_key
.extended:
	cmp ah, 51h		; PgDn
	je .next_page
	cmp ah, 49h		; PgUp
	je .previous_page
	jmp .wait
.card_key:
	call key_index
	jc .wait
	mov bx, ax
	mov ax, [menu_page]
	mov cx, MENU_KEYS
	mul cx
	add bx, ax
	cmp bx, [card_count]
	jae .wait
	call menu_end
	clc
	ret
.none:
	call menu_end
	stc
	ret
.next_page:
	mov ax, [menu_page]
	inc ax
	cmp ax, [menu_pages]
	jae .wait
	mov [menu_page], ax
	call menu_redraw
	jmp .wait
.previous_page:
	cmp word [menu_page], 0
	je .wait
	dec word [menu_page]
	call menu_redraw
	jmp .wait

;------------------------------------------------------------------------------
; KEY_INDEX - the place on a page that a key stands for
;	Call:	AL = the key's character
;	Return:	CF clear: AX = 0-8 for 1-9, 9-34 for A-Z or a-z
;		CF set: the key stands for no place
;------------------------------------------------------------------------------
key_index:
	cmp al, '1'
	jb .no
	cmp al, '9'
	ja .letter
	sub al, '1'
	jmp .yes
.letter:
	and al, 0DFh		; upper case
	cmp al, 'A'
	jb .no
	cmp al, 'Z'
	ja .no
	sub al, 'A' - 9
.yes:
	xor ah, ah
	clc
	ret
.no:
	stc
	ret

;------------------------------------------------------------------------------
; MENU_DRAW - write the menu's heading and rows of the page shown
;	Destroys: AX CX SI
;------------------------------------------------------------------------------
menu_draw:
	call out_reset
	mov si, s_menu_heading
	call out_str
	cmp word [menu_pages], 1
	je .one_page
	mov si, s_menu_page
	call out_str
	mov ax, [menu_page]
	inc ax
	call out_dec
	mov si, s_menu_of
	call out_str
	mov ax, [menu_pages]
	call out_dec
	mov si, s_menu_paging
	call out_str
.one_page:
	mov al, ':'
	call out_char
	mov cx, 79
	call out_pad
	call out_line
	xor cx, cx
.row:
	call out_reset
	mov ax, cx
	call menu_cell
	cmp word [menu_width], 36
	jne .row_done
	push cx
	mov cx, 40
	call out_pad
	pop cx
	mov ax, cx
	add ax, MENU_ROWS
	call menu_cell
.row_done:
	push cx
	mov cx, 79
	call out_pad
	pop cx
	call out_line
	inc cx
	cmp cx, [menu_rows]
	jb .row
	ret

;------------------------------------------------------------------------------
; MENU_CELL - append one card of the page shown: " K title"
;	Call:	AX = its place on the page (0-34; none past the last card)
;	Keeps:	all registers
;------------------------------------------------------------------------------
menu_cell:
	push ax
	push bx
	push cx
	push dx
	push si
	cmp ax, MENU_KEYS
	jae .ret
	mov bx, ax
	mov ax, [menu_page]
	mov cx, MENU_KEYS
	mul cx
	add ax, bx
	cmp ax, [card_count]
	jae .ret
	xchg ax, bx		; BX = card, AL = place
	mov cl, '1'
	cmp al, 9
	jb .key
	mov cl, 'A' - 9
.key:
	add al, cl
	mov ah, al
	mov al, ' '
	call out_char
	mov al, ah
	call out_char
	mov al, ' '
	call out_char
	mov cl, 3
	call card_field
	mov cx, [menu_width]
	call out_strn
.ret:
	pop si
	pop dx
	pop cx
	pop bx
	pop ax
	ret

;------------------------------------------------------------------------------
; MENU_PROMPT - write the prompt line, up to the seconds left
;	Return:	count_row, count_col: where the seconds left go
;	Destroys: AX CX DX SI
;------------------------------------------------------------------------------
menu_prompt:
	call out_reset
	mov si, s_menu_prompt
	call out_str
	call out_send
	call get_cursor
	mov [count_row], dh
	mov [count_col], dl
	mov word [shown_seconds], -1
	ret

;------------------------------------------------------------------------------
; MENU_REDRAW - draw the menu again in its place, with another page
;	Destroys: AX CX DX SI
;------------------------------------------------------------------------------
menu_redraw:
	mov dh, [menu_top]
	xor dl, dl
	call set_cursor
	call menu_draw
	jmp menu_prompt

;------------------------------------------------------------------------------
; MENU_COUNTDOWN - show the seconds left, when they change
;	Return:	CF set if the time is up
;	Destroys: AX CX DX
;------------------------------------------------------------------------------
menu_countdown:
	call timer_read
	cmp ax, MENU_TICKS
	jae .up
	; seconds left, rounded up: (ticks left * 10 + 181) / 182
	mov cx, MENU_TICKS
	sub cx, ax
	mov ax, 10
	mul cx
	add ax, 181
	adc dx, 0
	mov cx, 182
	div cx
	cmp ax, [shown_seconds]
	je .ret
	mov [shown_seconds], ax
	mov dh, [count_row]
	mov dl, [count_col]
	call set_cursor
	call out_reset
	cmp ax, 10
	jae .two_digits
	push ax
	mov al, ' '
	call out_char
	pop ax
.two_digits:
	call out_dec
	push si
	mov si, s_menu_seconds
	call out_str
	pop si
	call out_send
.ret:
	clc
	ret
.up:
	stc
	ret

;------------------------------------------------------------------------------
; MENU_END - leave the menu: the cursor to the line after the prompt
;	Keeps:	all registers
;------------------------------------------------------------------------------
menu_end:
	call out_reset
	jmp out_line

;------------------------------------------------------------------------------
; TIMER_START - start counting BIOS ticks
; TIMER_READ - the ticks counted since TIMER_START
;	Return:	AX = ticks (a jump of the clock counts MENU_TICKS at most;
;		    midnight is stepped over)
;	Destroys: the upper half of EAX
;------------------------------------------------------------------------------
timer_start:
	push eax
	call bios_ticks
	mov [timer_last], eax
	mov word [timer_elapsed], 0
	pop eax
	ret

timer_read:
	push edx
	call bios_ticks
	mov edx, eax
	sub eax, [timer_last]
	jae .forward
	add eax, DAY_TICKS	; past midnight
.forward:
	mov [timer_last], edx
	cmp eax, MENU_TICKS
	jbe .add
	mov eax, MENU_TICKS
.add:
	add ax, [timer_elapsed]
	cmp ax, MENU_TICKS
	jbe .keep
	mov ax, MENU_TICKS
.keep:
	mov [timer_elapsed], ax
	pop edx
	ret

;------------------------------------------------------------------------------
; BIOS_TICKS - the BIOS tick count (INT 1Ah AH=00h)
;	Return:	EAX = ticks since midnight, 18.2 a second
;	Keeps:	all other registers
;	The midnight flag that the call clears is put back, so that DOS
;	still moves its date on.
;------------------------------------------------------------------------------
bios_ticks:
	push cx
	push dx
	xor ah, ah
	int 1Ah
	test al, al
	jz .ticks
	push ds
	push word 40h
	pop ds
	mov [70h], al
	pop ds
.ticks:
	mov ax, cx
	shl eax, 16
	mov ax, dx
	pop dx
	pop cx
	ret

;------------------------------------------------------------------------------
; GET_CURSOR - where the cursor is (INT 10h AH=03h)
;	Return:	DH = row, DL = column
;	Keeps:	all other registers
; SET_CURSOR - move the cursor (INT 10h AH=02h)
;	Call:	DH = row, DL = column
;	Keeps:	all registers
;------------------------------------------------------------------------------
get_cursor:
	push ax
	push bx
	push cx
	mov ah, 03h
	mov bh, [video_page]
	int 10h
	pop cx
	pop bx
	pop ax
	ret

set_cursor:
	push ax
	push bx
	mov ah, 02h
	mov bh, [video_page]
	int 10h
	pop bx
	pop ax
	ret

s_menu_heading	db "Choose this PC's network card", 0
s_menu_page	db ', page ', 0
s_menu_of	db ' of ', 0
s_menu_paging	db ' (+/PgDn next, -/PgUp previous)', 0
s_menu_prompt	db "Press the card's key, or 0 for none (NET left as it is): ", 0
s_menu_seconds	db ' s ', 0

; Output: one line at a time is built in line_buf and written to standard
; output (INT 21h AH=40h, handle 1). A line never holds more than LINE_MAX
; characters; what would go past that is dropped.

section .bss
line_len	resw 1
line_buf	resb LINE_MAX + 2

section .text

;------------------------------------------------------------------------------
; SAY - write a whole message line: "Tovrell: " and a string
;	Call:	SI -> ASCIIZ string
;	Keeps:	all registers
;------------------------------------------------------------------------------
say:
	call out_start
	call out_str
	jmp out_line

;------------------------------------------------------------------------------
; OUT_START - start a message line with "Tovrell: "
; OUT_RESET - start an empty line
;	Keeps:	all registers
;------------------------------------------------------------------------------
out_start:
	call out_reset
	push si
	mov si, s_prefix
	call out_str
	pop si
	ret

out_reset:
	mov word [line_len], 0
	ret

;------------------------------------------------------------------------------
; OUT_STR - append an ASCIIZ string
;	Call:	SI -> string
;	Keeps:	all registers
; OUT_STRN - append at most CX characters of an ASCIIZ string
;	Call:	SI -> string, CX = most characters
;	Keeps:	all registers
;------------------------------------------------------------------------------
out_str:
	push cx
	mov cx, 0FFFFh
	call out_strn
	pop cx
	ret

out_strn:
	push ax
	push cx
	push si
	jcxz .done
.next:
	lodsb
	test al, al
	jz .done
	call out_char
	loop .next
.done:
	pop si
	pop cx
	pop ax
	ret

;------------------------------------------------------------------------------
; OUT_CHAR - append a character
;	Call:	AL = character
;	Keeps:	all registers (the character is dropped when the line is full)
;------------------------------------------------------------------------------
out_char:
	push bx
	mov bx, [line_len]
	cmp bx, LINE_MAX
	jae .full
	mov [line_buf + bx], al
	inc bx
	mov [line_len], bx
.full:
	pop bx
	ret

;------------------------------------------------------------------------------
; OUT_PAD - append blanks up to a column
;	Call:	CX = column (a full line stops it)
;	Keeps:	all registers
;------------------------------------------------------------------------------
out_pad:
	push ax
	mov al, ' '
.next:
	cmp [line_len], cx
	jae .done
	cmp word [line_len], LINE_MAX
	jae .done
	call out_char
	jmp .next
.done:
	pop ax
	ret

;------------------------------------------------------------------------------
; OUT_HEX4 - append a word as four lower-case hexadecimal digits
;	Call:	AX = word
;	Keeps:	all registers
;------------------------------------------------------------------------------
out_hex4:
	push ax
	push cx
	push dx
	mov dx, ax
	mov cx, 4
.digit:
	rol dx, 4
	mov al, dl
	and al, 0Fh
	add al, '0'
	cmp al, '9'
	jbe .put
	add al, 'a' - '9' - 1
.put:
	call out_char
	loop .digit
	pop dx
	pop cx
	pop ax
	ret

;------------------------------------------------------------------------------
; OUT_DEC - append a word in decimal
;	Call:	AX = word
;	Keeps:	all registers
;------------------------------------------------------------------------------
out_dec:
	push ax
	push bx
	push cx
	push dx
	mov bx, 10
	xor cx, cx
.divide:
	xor dx, dx
	div bx
	push dx
	inc cx
	test ax, ax
	jnz .divide
.put:
	pop ax
	add al, '0'
	call out_char
	loop .put
	pop dx
	pop cx
	pop bx
	pop ax
	ret

;------------------------------------------------------------------------------
; OUT_LINE - write the line and CR LF
; OUT_SEND - write the line as it is (the cursor stays behind it)
;	Return:	the line is empty again
;	Keeps:	all registers
;------------------------------------------------------------------------------
out_line:
	push bx
	mov bx, [line_len]
	mov word [line_buf + bx], 0A0Dh
	add word [line_len], 2
	pop bx
out_send:
	push ax
	push bx
	push cx
	push dx
	mov ah, 40h
	mov bx, 1
	mov cx, [line_len]
	mov dx, line_buf
	int 21h
	mov word [line_len], 0
	pop dx
	pop cx
	pop bx
	pop ax
	ret

s_prefix	db 'Tovrell: ', 0

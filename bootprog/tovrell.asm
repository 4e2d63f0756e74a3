; TOVRELL.COM - puts this PC's own network card in place on a DOS network
; boot medium that carries many cards, and gives the PC a computer name of
; its own.
;
; AUTOEXEC.BAT runs it as \NET\TOVRELL.COM before the network client starts.
; It reads TOVRELL.TXT beside it, looks for the PC's network controller on
; the PCI bus (or lets the technician choose the card from a menu), copies
; that card's driver, PROTOCOL.INI and SYSTEM.INI from CARDS\<folder>\ into
; its own folder and rewrites the computername= line of SYSTEM.INI.
;
; Errorlevel: 0 done, 1 failed (NET left as it is), 2 no card chosen.
;
; A .COM (nasm -f bin): CS = DS = ES = SS, the whole 64 KB segment is the
; program's. Every routine keeps the segment registers, BP and the
; direction flag (clear); what else it changes, its comment block says.
; Failing routines set the carry flag.

	bits 16
	org 100h

TABLE_MAX	equ 32768	; most bytes of TOVRELL.TXT taken
TEXT_LINE_MAX	equ 8191	; longest table line taken (without its end): a
				; card's INF may name hundreds of PCI ids
MAX_CARDS	equ 1000	; most cards taken from the table
IOBUF_SIZE	equ 16384	; file copy buffer; SYSTEM.INI must fit in it
PATH_MAX	equ 128		; a path buffer
NETDIR_MAX	equ 80		; longest NET folder path taken
LINE_MAX	equ 160		; longest line of output
STACK_FLOOR	equ 0F800h	; 2 KB of stack below the segment's end

FAIL_READ	equ 1		; a file could not be read (fail_path)
FAIL_WRITE	equ 2		; the NET folder could not be written
FAIL_PLACE	equ 3		; a new file could not be put in place (fail_path)
NAME_NO_LINE	equ 4		; SYSTEM.INI has no computername line

section .bss
bss_start:
old_int24	resd 1
old_int23	resd 1
exit_code	resb 1
write_refused	resb 1
net_folder	resb NETDIR_MAX + 2
path_a		resb PATH_MAX
path_b		resb PATH_MAX
fail_path	resw 1

section .text

	; Only 8086 instructions until the processor is known to be a 386.
	cpu 8086
start:
	cld
	; An 8086 keeps FLAGS bits 12-15 set, a 286 in real mode keeps them
	; clear; a 386 lets them change.
	pushf
	pop bx
	mov ax, bx
	and ax, 0FFFh
	push ax
	popf
	pushf
	pop ax
	and ax, 0F000h
	cmp ax, 0F000h
	je .not_386
	mov ax, bx
	or ax, 0F000h
	push ax
	popf
	pushf
	pop ax
	push bx
	popf
	test ax, 0F000h
	jnz .is_386
.not_386:
	mov dx, s_no_386
	mov ah, 09h
	int 21h
	mov ax, 4C01h
	int 21h

	cpu 386
.is_386:
	; The whole 64 KB segment must be ours (DOS gives a .COM less only
	; when memory is short).
	mov ax, [2]
	mov bx, cs
	sub ax, bx
	cmp ax, 1000h
	jae .memory_ok
	mov dx, s_no_memory
	mov ah, 09h
	int 21h
	mov ax, 4C01h
	int 21h
.memory_ok:
	; DOS leaves the memory past the program as it was.
	mov di, bss_start
	mov cx, small_end
	sub cx, di
	xor al, al
	rep stosb

	; Our own critical-error handler answers "fail", so that DOS never
	; asks "Abort, Retry, Fail?" on a medium it cannot write; Ctrl-C is
	; ignored, so that no half-done copy is left behind.
	mov ax, 3524h
	int 21h
	mov [old_int24], bx
	mov [old_int24 + 2], es
	mov ax, 3523h
	int 21h
	mov [old_int23], bx
	mov [old_int23 + 2], es
	push cs
	pop es
	mov dx, on_critical_error
	mov ax, 2524h
	int 21h
	mov dx, on_ctrl_c
	mov ax, 2523h
	int 21h

	call find_net_folder
	call table_read
	jc exit_failed
	call table_parse
	call table_report
	cmp word [card_count], 0
	jne .something_to_do
	cmp byte [name_len], 0
	jne .something_to_do
	mov si, s_table_empty
	call say
	jmp exit_failed
.something_to_do:
	cmp byte [name_len], 0
	je .name_ready
	call name_make
.name_ready:
	cmp word [card_count], 0
	je name_only

	call pci_scan
	jc .no_match
	call say_card_found
	jmp .install
.no_match:
	call say_no_match
	call menu_choose
	jnc .chosen
	mov si, s_none_chosen
	call say
	mov byte [exit_code], 2
	jmp name_only
.chosen:
	call say_card_chosen
.install:
	call card_install
	jc .install_failed
	call say_name_set
	jmp exit_done
.install_failed:
	cmp al, FAIL_READ
	jne failed
	; A card folder that cannot be read: NET keeps its card, but still
	; gets its name.
	mov si, s_cannot_read
	call out_start
	call out_str
	mov si, [fail_path]
	call out_str
	mov si, s_card_not_placed
	call out_str
	call out_line
	mov byte [exit_code], 1

; The name alone, in NET's own SYSTEM.INI.
name_only:
	cmp byte [name_len], 0
	je exit_done
	call name_set_in_net
	jc .name_failed
	call say_name_set
	jmp exit_done
.name_failed:
	cmp al, FAIL_WRITE
	je failed
	cmp al, FAIL_PLACE
	je failed
	cmp al, FAIL_READ
	jne .keep_code
	mov si, s_cannot_read
	call out_start
	call out_str
	mov si, [fail_path]
	call out_str
	mov si, s_name_not_set
	call out_str
	call out_line
.keep_code:
	; No card chosen stays errorlevel 2; otherwise the name was asked for
	; and not given.
	cmp byte [exit_code], 2
	je exit_done
	jmp exit_failed

; Says why NET could not be changed (AL = FAIL_WRITE or FAIL_PLACE) and
; ends with errorlevel 1.
failed:
	cmp al, FAIL_PLACE
	je .place
	mov si, s_cannot_write
	call out_start
	call out_str
	mov si, net_folder
	call out_str
	mov si, s_write_protected
	call out_str
	call out_line
	jmp exit_failed
.place:
	mov si, s_cannot_put
	call out_start
	call out_str
	mov si, [fail_path]
	call out_str
	mov si, s_half_changed
	call out_str
	call out_line
exit_failed:
	mov byte [exit_code], 1
exit_done:
	mov al, [exit_code]
	; fall through to EXIT

;------------------------------------------------------------------------------
; EXIT - end the program
;	Call:	AL = errorlevel
;	Return:	never; the interrupt handlers are given back first
;------------------------------------------------------------------------------
exit:
	push ax
	push ds
	lds dx, [old_int24]
	mov ax, 2524h
	int 21h
	pop ds
	push ds
	lds dx, [old_int23]
	mov ax, 2523h
	int 21h
	pop ds
	pop ax
	mov ah, 4Ch
	int 21h

;------------------------------------------------------------------------------
; ON_CRITICAL_ERROR - INT 24h handler: fail the DOS call that met the error
;	Call:	AH bit 7 clear for a disk error, bit 0 set for a write
;	Return:	AL = 03h (fail): the call returns with CF set (DOS 3.1+)
;		write_refused = 1 after a disk write error: a DOS that keeps
;		    written sectors in its buffers (FreeDOS) meets the error
;		    only when it flushes them, and does not fail the call
;------------------------------------------------------------------------------
on_critical_error:
	mov al, ah
	and al, 81h
	cmp al, 01h
	jne .failed
	mov byte [cs:write_refused], 1
.failed:
	mov al, 3
	iret

;------------------------------------------------------------------------------
; ON_CTRL_C - INT 23h handler: go on with the interrupted DOS call
;------------------------------------------------------------------------------
on_ctrl_c:
	iret

;------------------------------------------------------------------------------
; FIND_NET_FOLDER - the folder this program lies in
;	Return:	net_folder = the program's own path (DOS 3+: the ASCIIZ path
;		    after the environment's strings and their word count) cut
;		    at its last backslash, e.g. "A:\NET";
;		    "X:\NET" on the current drive when that path cannot be had
;	Destroys: AX BX CX DX SI DI
;------------------------------------------------------------------------------
find_net_folder:
	mov ah, 30h
	int 21h
	cmp al, 3
	jb .fallback
	mov ax, [2Ch]
	test ax, ax
	jz .fallback
	push es
	mov es, ax
	xor di, di
	cmp byte [es:di], 0
	je .count		; no strings at all: the count follows at once
.find_end:
	cmp di, 7FF0h
	jae .fallback_es
	cmp word [es:di], 0
	je .strings_end
	inc di
	jmp .find_end
.strings_end:
	inc di
.count:
	inc di
	cmp word [es:di], 1
	jb .fallback_es
	add di, 2
	; copy the path, remembering its last backslash
	mov si, net_folder
	xor bx, bx
	mov cx, NETDIR_MAX
.copy:
	mov al, [es:di]
	mov [si], al
	test al, al
	jz .copied
	cmp al, '\'
	jne .next
	mov bx, si
.next:
	inc si
	inc di
	loop .copy
	jmp .fallback_es	; too long
.copied:
	pop es
	test bx, bx
	jz .fallback
	mov byte [bx], 0
	ret
.fallback_es:
	pop es
.fallback:
	mov ah, 19h
	int 21h
	add al, 'A'
	mov di, net_folder
	stosb
	mov si, s_net_on_drive
	jmp copy_str

;------------------------------------------------------------------------------
; COPY_STR - copy an ASCIIZ string
;	Call:	SI -> string, DI -> buffer
;	Return:	the string and its NUL copied; SI past the source's NUL,
;		DI at the copied NUL (so that more can be appended)
;	Destroys: AL
;------------------------------------------------------------------------------
copy_str:
	lodsb
	stosb
	test al, al
	jnz copy_str
	dec di
	ret

;------------------------------------------------------------------------------
; SKIP_STR - step over an ASCIIZ string
;	Call:	SI -> string
;	Return:	SI past its NUL
;------------------------------------------------------------------------------
skip_str:
	push ax
.next:
	lodsb
	test al, al
	jnz .next
	pop ax
	ret

;------------------------------------------------------------------------------
; NET_PATH - the path of a file in the NET folder
;	Call:	SI -> ASCIIZ file name, DI -> PATH_MAX byte buffer
;	Return:	the buffer holds net_folder "\" name
;	Destroys: AL SI DI
;------------------------------------------------------------------------------
net_path:
	push si
	mov si, net_folder
	call copy_str
	mov al, '\'
	stosb
	pop si
	jmp copy_str

;------------------------------------------------------------------------------
; CARD_PATH - the path of a file in a card's folder
;	Call:	BX = card number, SI -> ASCIIZ file name, DI -> PATH_MAX bytes
;	Return:	the buffer holds net_folder "\CARDS\" folder "\" name
;	Destroys: AL SI DI
;------------------------------------------------------------------------------
card_path:
	push cx
	push si
	mov si, net_folder
	call copy_str
	mov si, s_cards
	call copy_str
	mov cl, 0
	call card_field
	call copy_str
	mov al, '\'
	stosb
	pop si
	pop cx
	jmp copy_str

;------------------------------------------------------------------------------
; SAY_CARD_FOUND - "Tovrell: <title> (vvvv:dddd)"
;	Call:	BX = card number, EAX = device id << 16 | vendor id
;	Destroys: CX SI
;------------------------------------------------------------------------------
say_card_found:
	call out_start
	mov cl, 3
	call card_field
	mov cx, 58
	call out_strn
	mov si, s_open
	call out_str
	call out_ids
	mov al, ')'
	call out_char
	jmp out_line

;------------------------------------------------------------------------------
; SAY_CARD_CHOSEN - "Tovrell: <title> chosen"
;	Call:	BX = card number
;	Destroys: CX SI
;------------------------------------------------------------------------------
say_card_chosen:
	call out_start
	mov cl, 3
	call card_field
	mov cx, 60
	call out_strn
	mov si, s_chosen
	call out_str
	jmp out_line

;------------------------------------------------------------------------------
; SAY_NO_MATCH - why no card was found on the PCI bus
;	Call:	AL = 0 no PCI BIOS, 1 no network controller, 2 none matches
;		    (nic_ids, nic_count: the controllers found)
;	Destroys: AX BX CX SI EAX
;------------------------------------------------------------------------------
say_no_match:
	mov si, s_no_pci
	cmp al, 1
	jb say
	mov si, s_no_nic
	je say
	call out_start
	mov si, s_no_match
	call out_str
	mov cx, [nic_count]
	cmp cx, 1
	je .one
	mov al, 's'
	call out_char
.one:
	mov al, ' '
	call out_char
	mov al, '('
	call out_char
	cmp cx, NIC_LIST
	jbe .listed
	mov cx, NIC_LIST
.listed:
	xor bx, bx
.id:
	mov eax, [nic_ids + bx]
	call out_ids
	add bx, 4
	dec cx
	jz .end
	mov si, s_comma
	call out_str
	jmp .id
.end:
	cmp word [nic_count], NIC_LIST
	jbe .close
	mov si, s_more
	call out_str
.close:
	mov al, ')'
	call out_char
	jmp out_line

;------------------------------------------------------------------------------
; OUT_IDS - append "vvvv:dddd" to the line
;	Call:	EAX = device id << 16 | vendor id
;	Keeps:	all registers
;------------------------------------------------------------------------------
out_ids:
	push eax
	call out_hex4
	mov al, ':'
	call out_char
	pop eax
	push eax
	shr eax, 16
	call out_hex4
	pop eax
	ret

;------------------------------------------------------------------------------
; SAY_NAME_SET - "Tovrell: computer name LAB-4F7K2Q" once the name is in
;	Destroys: SI
;------------------------------------------------------------------------------
say_name_set:
	cmp byte [name_applied], 0
	je .ret
	call out_start
	mov si, s_computer_name
	call out_str
	mov si, [name_shown]
	call out_str
	call out_line
.ret:
	ret

s_no_386	db 'Tovrell: this PC has no 386 processor, NET left as it is', 13, 10, '$'
s_no_memory	db 'Tovrell: not enough memory, NET left as it is', 13, 10, '$'
s_net_on_drive	db ':\NET', 0
s_cards		db '\CARDS\', 0
s_table_empty	db 'TOVRELL.TXT names no card and no computer name, NET left as it is', 0
s_no_pci	db 'no PCI BIOS', 0
s_no_nic	db 'no network card on the PCI bus', 0
s_no_match	db "no card of this medium matches this PC's network card", 0
s_comma		db ', ', 0
s_more		db ', ...', 0
s_open		db ' (', 0
s_chosen	db ' chosen', 0
s_none_chosen	db 'no card chosen, NET left as it is', 0
s_cannot_read	db 'cannot read ', 0
s_card_not_placed db ', card not put in place', 0
s_name_not_set	db ', name not set', 0
s_cannot_write	db 'cannot write to ', 0
s_write_protected db ' (write-protected or full?), NET left as it is', 0
s_cannot_put	db 'cannot put ', 0
s_half_changed	db ' in place, NET may be half changed', 0
s_computer_name	db 'computer name ', 0

%include "output.asm"
%include "table.asm"
%include "pci.asm"
%include "menu.asm"
%include "copy.asm"
%include "name.asm"

; The big buffers, past everything that starts zeroed.
section .bss
small_end:
card_list	resw MAX_CARDS	; each card's record in table_buf
table_buf	resb TABLE_MAX
iobuf		resb IOBUF_SIZE
bss_end:

section .text
; Fails to assemble ("TIMES value -1 is negative") when the code and the
; buffers reach into the stack.
	times -(100h + ($ - $$) + 16 + (bss_end - bss_start) > STACK_FLOOR) db 0

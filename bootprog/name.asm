; The computer name of its own: SYSTEM.INI's computername= line becomes
; "computername=<base>-XXXXXX", six characters of 0-9 and A-Z drawn from
; the processor's time-stamp counter (where there is one) and the BIOS
; clocks, so that two PCs switched on together, and two boots of one
; image, get different names.

NAME_DIGITS	equ 6

section .bss
name_line	resb 32		; "computername=" base "-" six characters
name_line_len	resw 1
name_shown	resw 1		; -> the name itself in name_line
name_line_start	resw 1
name_line_end	resw 1
in_network	resb 1

section .text

;------------------------------------------------------------------------------
; NAME_MAKE - draw this PC's computer name
;	Call:	name_base (name_len > 0)
;	Return:	name_line, name_line_len, name_shown
;	Destroys: AX BX CX DX SI DI, the upper halves of the 32-bit registers
;------------------------------------------------------------------------------
name_make:
	mov di, name_line
	mov si, s_computername_is
	call copy_str
	mov [name_shown], di
	mov si, name_base
	call copy_str
	mov al, '-'
	stosb
	call name_bits
	mov ebx, 36
	mov cx, NAME_DIGITS
.digit:
	xor edx, edx
	div ebx			; EDX = 0..35
	add dl, '0'
	cmp dl, '9'
	jbe .put
	add dl, 'A' - '9' - 1
.put:
	mov [di], dl
	inc di
	loop .digit
	mov byte [di], 0
	sub di, name_line
	mov [name_line_len], di
	ret

;------------------------------------------------------------------------------
; NAME_BITS - 32 bits that differ from PC to PC and from boot to boot
;	Return:	EAX = the bits: the BIOS tick count, the real-time clock
;		    (INT 1Ah AH=02h) and, on a processor with CPUID and a
;		    time-stamp counter, RDTSC, mixed together
;	Destroys: BX CX DX SI, the upper halves of the 32-bit registers
;------------------------------------------------------------------------------
name_bits:
	call has_tsc
	sbb si, si		; SI = 0 with a time-stamp counter, -1 without
	xor ebx, ebx
	call bios_ticks
	call mix
	mov ah, 02h
	int 1Ah
	jc .no_clock
	movzx eax, cx
	shl eax, 8
	mov al, dh
	call mix
.no_clock:
	test si, si
	jnz .no_tsc
	cpu 586
	rdtsc
	cpu 386
	push edx
	call mix
	pop eax
	call mix
.no_tsc:
	mov eax, ebx
	ret

;------------------------------------------------------------------------------
; MIX - stir a value into a hash
;	Call:	EBX = the hash so far, EAX = the value
;	Return:	EBX = the new hash
;	Destroys: EAX
;------------------------------------------------------------------------------
mix:
	push edx
	xor ebx, eax
	mov edx, 9E3779B1h
	imul ebx, edx
	mov eax, ebx
	shr eax, 15
	xor ebx, eax
	mov edx, 85EBCA6Bh
	imul ebx, edx
	mov eax, ebx
	shr eax, 13
	xor ebx, eax
	mov edx, 0C2B2AE35h
	imul ebx, edx
	mov eax, ebx
	shr eax, 16
	xor ebx, eax
	pop edx
	ret

;------------------------------------------------------------------------------
; HAS_TSC - whether the processor has a time-stamp counter: it has CPUID
;	(the EFLAGS ID bit can be changed) and CPUID leaf 1 says so (EDX
;	bit 4)
;	Return:	CF clear if it has
;	Keeps:	all registers but the upper halves of the 32-bit ones
;------------------------------------------------------------------------------
has_tsc:
	pushad
	pushfd
	pop eax
	mov ecx, eax
	xor eax, 200000h	; the ID bit
	push eax
	popfd
	pushfd
	pop eax
	push ecx
	popfd
	xor eax, ecx
	test eax, 200000h
	jz .no
	cpu 586
	xor eax, eax
	cpuid
	cmp eax, 1
	jb .no
	mov eax, 1
	cpuid
	cpu 386
	test dl, 10h
	jz .no
	popad
	clc
	ret
.no:
	popad
	stc
	ret

;------------------------------------------------------------------------------
; FIND_NAME_LINE - find the computername line of SYSTEM.INI's [network]
;	section: the first line there whose key, after blanks or tabs, is
;	computername (any letter case), with blanks or tabs before its =
;	Call:	SI -> the file's text, CX = its length (a Ctrl-Z ends it)
;	Return:	CF clear if found: name_line_start -> the line,
;		    name_line_end -> its line end (or the end of the text)
;		CF set if not
;	Destroys: AX BX CX DX SI DI
;------------------------------------------------------------------------------
find_name_line:
	mov dx, si
	add dx, cx		; DX -> the end of the text
	mov byte [in_network], 0
	mov di, si
.find_ctrl_z:
	cmp di, dx
	jae .line
	cmp byte [di], 1Ah
	je .ctrl_z
	inc di
	jmp .find_ctrl_z
.ctrl_z:
	mov dx, di
.line:
	cmp si, dx
	jae .none
	mov [name_line_start], si
	mov di, si
.find_end:
	cmp di, dx
	jae .end_found
	mov al, [di]
	cmp al, 13
	je .end_found
	cmp al, 10
	je .end_found
	inc di
	jmp .find_end
.end_found:
	; the line is SI..DI
	push dx
	mov dx, di
	call skip_blanks
	cmp si, dx
	jae .next
	cmp byte [si], '['
	jne .key
	; A section's name as the client reads it: quotes around it, blanks
	; and a missing ']' are no matter ("[ network ]", ["network"], [network).
	inc si
	mov byte [in_network], 0
	call skip_blanks
	call .skip_quote
	mov bx, s_network
	call match_word
	jne .next
	call .skip_quote
	call skip_blanks
	cmp si, dx
	jae .network
	cmp byte [si], ']'
	jne .next
.network:
	mov byte [in_network], 1
	jmp .next
.key:
	cmp byte [in_network], 0
	je .next
	mov bx, s_computername
	call match_word
	jne .next
	call skip_blanks
	cmp si, dx
	jae .next
	cmp byte [si], '='
	jne .next
	pop dx
	mov [name_line_end], di
	clc
	ret
.next:
	pop dx
	mov si, di
	; past the line end: CR LF, LF or CR
	cmp si, dx
	jae .none
	lodsb
	cmp al, 13
	jne .line
	cmp si, dx
	jae .none
	cmp byte [si], 10
	jne .line
	inc si
	jmp .line
.none:
	stc
	ret
; Steps SI over a double quote before DX, if one stands there.
.skip_quote:
	cmp si, dx
	jae .no_quote
	cmp byte [si], '"'
	jne .no_quote
	inc si
.no_quote:
	ret

s_computername_is db 'computername=', 0
s_computername	db 'computername', 0
s_network	db 'network', 0

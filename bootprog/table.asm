; The table, NET\TOVRELL.TXT: read it and parse it into the card list and
; the computer name's base.
;
;	; a comment; empty lines are ignored too
;	NAME <base>				1-8 characters of a computer name
;	CARD <folder> <driver> <ids> <title>
;
; <folder> is a card's folder below NET\CARDS\ (1-8 characters, no dot),
; <driver> its driver file there (8.3), <ids> "-" or VVVV:DDDD[,VVVV:DDDD...]
; (PCI vendor:device, hexadecimal), <title> the rest of the line. Keywords
; and hexadecimal digits in any letter case; lines end in CR LF, LF or CR;
; a Ctrl-Z ends the text; tabs count as blanks. Anything else is garbled:
; the line is skipped (a malformed id alone: just that id).
;
; Each card taken gets a record packed into table_buf itself, over text
; already read: four ASCIIZ strings one after the other, the folder, the
; driver, the ids (as written) and the title (tabs made blanks, bytes
; outside printable ASCII made '?'). card_list holds the records' offsets
; in the table's order.

section .bss
table_len	resw 1
parse_end	resw 1
write_ptr	resw 1
line_no		resw 1
bad_lines	resw 1
first_bad_line	resw 1
bad_ids		resw 1
first_bad_id	resw 1
too_many	resb 1
table_cut	resb 1
card_count	resw 1
name_len	resb 1
name_base	resb 10
tok_folder	resw 1
tok_folder_len	resw 1
tok_driver	resw 1
tok_driver_len	resw 1
tok_ids		resw 1
tok_ids_len	resw 1
tok_title	resw 1

section .text

;------------------------------------------------------------------------------
; TABLE_READ - read TOVRELL.TXT from the NET folder
;	Return:	CF clear if read: table_buf, table_len (at most TABLE_MAX;
;		    a bigger file is cut after its last whole line, and said so)
;		CF set if it cannot be read (said so)
;	Destroys: AX BX CX DX SI DI
;------------------------------------------------------------------------------
table_read:
	mov si, s_table_file
	mov di, path_a
	call net_path
	mov dx, path_a
	call open_read
	jc .cannot
	mov dx, table_buf
	mov cx, TABLE_MAX
	mov ah, 3Fh
	int 21h
	jc .cannot_close
	mov [table_len], ax
	cmp ax, TABLE_MAX
	jb .close
	; a byte more: the file is bigger than a table may be
	mov dx, iobuf
	mov cx, 1
	mov ah, 3Fh
	int 21h
	jc .close
	test ax, ax
	jz .close
	mov byte [table_cut], 1
	mov di, table_buf + TABLE_MAX - 1
	mov cx, TABLE_MAX
.back:
	mov al, [di]
	cmp al, 13
	je .line_end
	cmp al, 10
	je .line_end
	dec di
	loop .back
.line_end:
	; CX = bytes up to and with the last line end (0: none at all)
	mov [table_len], cx
.close:
	mov ah, 3Eh
	int 21h
	cmp byte [table_cut], 0
	je .read
	mov si, s_table_big
	call say
.read:
	clc
	ret
.cannot_close:
	mov ah, 3Eh
	int 21h
.cannot:
	call out_start
	mov si, s_cannot_read
	call out_str
	mov si, path_a
	call out_str
	mov si, s_net_unchanged
	call out_str
	call out_line
	stc
	ret

;------------------------------------------------------------------------------
; TABLE_PARSE - parse the table read into card_list and name_base
;	Return:	card_count cards, name_len (0: no NAME line); bad_lines,
;		bad_ids, too_many as TABLE_REPORT tells them
;	Destroys: AX BX CX DX SI DI
;------------------------------------------------------------------------------
table_parse:
	mov si, table_buf
	mov [write_ptr], si
	mov ax, si
	add ax, [table_len]
	mov [parse_end], ax
.line:
	cmp si, [parse_end]
	jae .done
	inc word [line_no]
	mov di, si
.scan:
	cmp si, [parse_end]
	jae .line_end
	mov al, [si]
	cmp al, 13
	je .line_end
	cmp al, 10
	je .line_end
	cmp al, 1Ah
	je .text_end
	inc si
	jmp .scan
.text_end:
	mov [parse_end], si
.line_end:
	mov dx, si
	; past the line end: CR LF, LF or CR
	cmp si, [parse_end]
	jae .take
	lodsb
	cmp al, 13
	jne .take
	cmp si, [parse_end]
	jae .take
	cmp byte [si], 10
	jne .take
	inc si
.take:
	push si
	mov si, di
	mov ax, dx
	sub ax, si
	cmp ax, TEXT_LINE_MAX
	ja .bad
	call parse_line
	jnc .next
.bad:
	inc word [bad_lines]
	cmp word [bad_lines], 1
	jne .next
	mov ax, [line_no]
	mov [first_bad_line], ax
.next:
	pop si
	jmp .line
.done:
	ret

;------------------------------------------------------------------------------
; PARSE_LINE - take one line of the table
;	Call:	SI -> the line, DX -> its end
;	Return:	CF clear if taken (or ignored: empty, a comment)
;		CF set if garbled
;	Destroys: AX BX CX DX SI DI
;------------------------------------------------------------------------------
parse_line:
	call skip_blanks
.trim:
	cmp dx, si
	jbe .ignore
	mov bx, dx
	mov al, [bx - 1]
	cmp al, ' '
	je .cut
	cmp al, 9
	jne .trimmed
.cut:
	dec dx
	jmp .trim
.trimmed:
	cmp byte [si], ';'
	je .ignore
	call next_token
	mov bx, s_kw_name
	call token_is
	je parse_name
	mov bx, s_kw_card
	call token_is
	je parse_card
	stc
	ret
.ignore:
	clc
	ret

; NAME <base>: see PARSE_LINE.
parse_name:
	call next_token
	jcxz .bad
	cmp cx, 8
	ja .bad
	mov bx, di
.check:
	mov al, [bx]
	call is_name_char
	jc .bad
	inc bx
	cmp bx, si
	jb .check
	push di
	push cx
	call next_token
	mov ax, cx
	pop cx
	pop si
	test ax, ax
	jnz .bad		; more on the line
	cmp byte [name_len], 0
	jne .bad		; a second NAME line
	mov [name_len], cl
	mov di, name_base
	rep movsb
	mov byte [di], 0
	clc
	ret
.bad:
	stc
	ret

; CARD <folder> <driver> <ids> <title>: see PARSE_LINE.
parse_card:
	cmp word [card_count], MAX_CARDS
	jb .room
	mov byte [too_many], 1
	clc
	ret
.room:
	call next_token
	mov [tok_folder], di
	mov [tok_folder_len], cx
	call is_folder_name
	jc .bad
	call next_token
	mov [tok_driver], di
	mov [tok_driver_len], cx
	call is_driver_name
	jc .bad
	call next_token
	jcxz .bad
	mov [tok_ids], di
	mov [tok_ids_len], cx
	call skip_blanks
	cmp si, dx
	jae .bad		; no title
	mov [tok_title], si
	call check_ids
	; the record
	mov di, [write_ptr]
	mov bx, [card_count]
	shl bx, 1
	mov [card_list + bx], di
	inc word [card_count]
	mov si, [tok_folder]
	mov cx, [tok_folder_len]
	call .field
	mov si, [tok_driver]
	mov cx, [tok_driver_len]
	call .field
	mov si, [tok_ids]
	mov cx, [tok_ids_len]
	call .field
	mov si, [tok_title]
	mov cx, dx
	sub cx, si
.title:
	lodsb
	cmp al, 9
	jne .printable
	mov al, ' '
.printable:
	cmp al, ' '
	jb .odd
	cmp al, 7Eh
	jbe .put
.odd:
	mov al, '?'
.put:
	stosb
	loop .title
	mov al, 0
	stosb
	mov [write_ptr], di
	clc
	ret
.bad:
	stc
	ret
; Copies CX bytes from SI to DI and a NUL. The record is never longer
; than the text it comes from, so it only overwrites text already read.
.field:
	rep movsb
	mov al, 0
	stosb
	ret

;------------------------------------------------------------------------------
; CHECK_IDS - count the malformed ids of a card line (they are skipped)
;	Call:	tok_ids, tok_ids_len: the line's ids field
;	Return:	bad_ids, first_bad_id updated
;	Keeps:	all registers but EAX
;------------------------------------------------------------------------------
check_ids:
	push si
	push dx
	mov si, [tok_ids]
	mov dx, si
	add dx, [tok_ids_len]
	cmp word [tok_ids_len], 1
	jne .next
	cmp byte [si], '-'
	je .done
.next:
	cmp si, dx
	jae .done
	call parse_id
	jnc .next
	inc word [bad_ids]
	cmp word [bad_ids], 1
	jne .next
	mov ax, [line_no]
	mov [first_bad_id], ax
	jmp .next
.done:
	pop dx
	pop si
	ret

;------------------------------------------------------------------------------
; PARSE_ID - read one VVVV:DDDD of an id list
;	Call:	SI -> the id, DX -> the list's end
;	Return:	SI past the id and the comma after it
;		CF clear: EAX = device id << 16 | vendor id
;		CF set: the id is malformed
;------------------------------------------------------------------------------
parse_id:
	push bx
	call hex_word
	jc .skip
	push bx
	cmp si, dx
	jae .bad
	cmp byte [si], ':'
	jne .bad
	inc si
	call hex_word
	jc .bad
	cmp si, dx
	jae .good
	cmp byte [si], ','
	jne .bad
	inc si
.good:
	movzx eax, bx
	shl eax, 16
	pop ax
	pop bx
	clc
	ret
.bad:
	pop bx
.skip:
	; on to the next comma
	cmp si, dx
	jae .skipped
	lodsb
	cmp al, ','
	jne .skip
.skipped:
	pop bx
	stc
	ret

;------------------------------------------------------------------------------
; HEX_WORD - read four hexadecimal digits
;	Call:	SI -> the digits, DX -> where the text ends
;	Return:	CF clear: BX = their value, SI past them
;		CF set: fewer than four digits there (SI on the first non-digit)
;	Destroys: AL
;------------------------------------------------------------------------------
hex_word:
	push cx
	xor bx, bx
	mov cx, 4
.digit:
	cmp si, dx
	jae .bad
	mov al, [si]
	sub al, '0'
	cmp al, 9
	jbe .value
	or al, 20h		; 'A'-'0' | 20h = 'a'-'0'
	sub al, 'a' - '0'
	cmp al, 5
	ja .bad
	add al, 10
.value:
	shl bx, 4
	or bl, al
	inc si
	loop .digit
	pop cx
	clc
	ret
.bad:
	pop cx
	stc
	ret

;------------------------------------------------------------------------------
; TABLE_MATCH - the first card of the table whose ids hold a device's
;	Call:	EAX = device id << 16 | vendor id
;	Return:	CF clear: BX = card number (0 = the first card)
;		CF set: no card holds it
;	Keeps:	all registers but BX
;------------------------------------------------------------------------------
table_match:
	push ecx
	push dx
	push si
	push di
	mov ecx, eax
	xor bx, bx
.card:
	cmp bx, [card_count]
	jae .none
	push cx
	mov cl, 2
	call card_field
	pop cx
	mov di, si
.find_end:
	cmp byte [di], 0
	je .found_end
	inc di
	jmp .find_end
.found_end:
	mov dx, di		; DX -> the NUL
.id:
	cmp si, dx
	jae .next_card
	call parse_id		; "-" is no id
	jc .id
	cmp eax, ecx
	jne .id
	clc
	jmp .out
.next_card:
	inc bx
	jmp .card
.none:
	stc
.out:
	mov eax, ecx
	pop di
	pop si
	pop dx
	pop ecx
	ret

;------------------------------------------------------------------------------
; CARD_FIELD - one string of a card's record
;	Call:	BX = card number, CL = 0 folder, 1 driver, 2 ids, 3 title
;	Return:	SI -> the ASCIIZ string
;	Destroys: CL
;------------------------------------------------------------------------------
card_field:
	push bx
	shl bx, 1
	mov si, [card_list + bx]
	pop bx
.skip:
	test cl, cl
	jz .ret
	call skip_str
	dec cl
	jmp .skip
.ret:
	ret

;------------------------------------------------------------------------------
; TABLE_REPORT - say, one line each, what of the table was skipped
;	Destroys: AX SI
;------------------------------------------------------------------------------
table_report:
	mov ax, [bad_lines]
	test ax, ax
	jz .ids
	call out_start
	cmp ax, 1
	jne .lines
	mov si, s_line
	call out_str
	mov ax, [first_bad_line]
	call out_dec
	mov si, s_of_table_skipped
	call out_str
	jmp .said_lines
.lines:
	call out_dec
	mov si, s_lines_skipped
	call out_str
	mov ax, [first_bad_line]
	call out_dec
.said_lines:
	call out_line
.ids:
	mov ax, [bad_ids]
	test ax, ax
	jz .cards
	call out_start
	cmp ax, 1
	jne .many_ids
	mov si, s_bad_id_on_line
	call out_str
	mov ax, [first_bad_id]
	call out_dec
	mov si, s_of_table_skipped
	call out_str
	jmp .said_ids
.many_ids:
	call out_dec
	mov si, s_bad_ids_skipped
	call out_str
	mov ax, [first_bad_id]
	call out_dec
.said_ids:
	call out_line
.cards:
	cmp byte [too_many], 0
	je .ret
	mov si, s_too_many
	call say
.ret:
	ret

;------------------------------------------------------------------------------
; NEXT_TOKEN - the next word of a line
;	Call:	SI -> where to look, DX -> the line's end
;	Return:	DI -> the word, CX = its length (0: none left), SI past it
;	Destroys: AL
; SKIP_BLANKS - step over blanks and tabs
;	Call:	SI -> where to look, DX -> the line's end
;	Return:	SI on the first other character (or at DX)
;	Destroys: AL
;------------------------------------------------------------------------------
next_token:
	call skip_blanks
	mov di, si
.scan:
	cmp si, dx
	jae .end
	mov al, [si]
	cmp al, ' '
	je .end
	cmp al, 9
	je .end
	inc si
	jmp .scan
.end:
	mov cx, si
	sub cx, di
	ret

skip_blanks:
	cmp si, dx
	jae .ret
	mov al, [si]
	cmp al, ' '
	je .blank
	cmp al, 9
	jne .ret
.blank:
	inc si
	jmp skip_blanks
.ret:
	ret

;------------------------------------------------------------------------------
; TOKEN_IS - whether a word is a keyword, in any letter case
;	Call:	DI -> the word, CX = its length, BX -> lower-case ASCIIZ keyword
;	Return:	ZF set if it is
;	Keeps:	all registers
; MATCH_WORD - whether a text starts with a keyword, in any letter case
;	Call:	SI -> the text, DX -> its end, BX -> lower-case ASCIIZ keyword
;	Return:	ZF set if it does, SI then past the keyword
;	Keeps:	all other registers
;------------------------------------------------------------------------------
token_is:
	push si
	push dx
	mov si, di
	mov dx, di
	add dx, cx
	call match_word
	jne .ret
	cmp si, dx
.ret:
	pop dx
	pop si
	ret

match_word:
	push si
	push bx
	push ax
.next:
	mov al, [bx]
	test al, al
	jz .match
	cmp si, dx
	jae .differ
	mov ah, [si]
	cmp ah, 'A'
	jb .compare
	cmp ah, 'Z'
	ja .compare
	or ah, 20h
.compare:
	cmp ah, al
	jne .differ
	inc si
	inc bx
	jmp .next
.match:
	pop ax
	pop bx
	add sp, 2
	cmp al, al
	ret
.differ:
	xor ah, ah
	inc ah			; ZF clear
	pop ax
	pop bx
	pop si
	ret

;------------------------------------------------------------------------------
; IS_FOLDER_NAME - whether a word is a card folder's name: 1-8 file name
;	characters, no dot
;	Call:	DI -> the word, CX = its length
;	Return:	CF clear if it is
;	Keeps:	all registers
;------------------------------------------------------------------------------
is_folder_name:
	push ax
	push bx
	push cx
	jcxz .bad
	cmp cx, 8
	ja .bad
	mov bx, di
.check:
	mov al, [bx]
	call is_file_char
	jc .bad
	inc bx
	loop .check
	clc
	jmp .ret
.bad:
	stc
.ret:
	pop cx
	pop bx
	pop ax
	ret

;------------------------------------------------------------------------------
; IS_DRIVER_NAME - whether a word is a driver file's name: an 8.3 name of
;	file name characters, neither TOVRELL.* nor *.INI (names the
;	program's own files and NET's INI files have)
;	Call:	DI -> the word, CX = its length
;	Return:	CF clear if it is
;	Keeps:	all registers
;------------------------------------------------------------------------------
is_driver_name:
	push ax
	push bx
	push cx
	push dx
	push si
	mov si, di
	mov dx, di
	add dx, cx		; DX -> the word's end
	xor bx, bx		; BX -> the dot, once seen
	jcxz .bad
	cmp cx, 12
	ja .bad
.check:
	mov al, [si]
	cmp al, '.'
	jne .char
	test bx, bx
	jnz .bad		; a second dot
	mov bx, si
	jmp .checked
.char:
	call is_file_char
	jc .bad
.checked:
	inc si
	cmp si, dx
	jb .check
	test bx, bx
	jnz .has_dot
	mov bx, dx		; no extension
.has_dot:
	; BX -> the end of the base name
	mov ax, bx
	sub ax, di
	jz .bad
	cmp ax, 8
	ja .bad
	cmp bx, dx
	je .not_ours		; no extension
	mov ax, dx
	sub ax, bx
	dec ax
	jz .bad			; a dot and nothing after it
	cmp ax, 3
	ja .bad
	; *.INI
	mov si, bx
	inc si
	push bx
	mov bx, s_ini
	call match_word
	pop bx
	jne .not_ours
	cmp si, dx
	je .bad
.not_ours:
	; TOVRELL.*
	mov si, di
	push dx
	mov dx, bx
	mov bx, s_tovrell
	call match_word
	jne .not_tovrell
	cmp si, dx
.not_tovrell:
	pop dx
	je .bad
	clc
	jmp .ret
.bad:
	stc
.ret:
	pop si
	pop dx
	pop cx
	pop bx
	pop ax
	ret

;------------------------------------------------------------------------------
; IS_FILE_CHAR - whether a character may be in a DOS file name here: a
;	letter, a digit, one of ! # $ % & ' ( ) - @ ^ _ ` { } ~, or a byte of
;	80h and above (DOS takes them: a name in the lab's own code page)
;	Call:	AL = character
;	Return:	CF clear if it may
;	Keeps:	all registers
; IS_NAME_CHAR - whether a character may be in the computer name's base:
;	a letter, a digit, or one of ! @ # $ % ^ & ( ) - _ ' { } . ~ (what the
;	DOS network client takes in a computer name)
;	Call:	AL = character
;	Return:	CF clear if it may
;	Keeps:	all registers
;------------------------------------------------------------------------------
is_file_char:
	cmp al, 80h
	jb .ascii
	clc
	ret
.ascii:
	push si
	mov si, s_file_punctuation
	jmp is_char_of

is_name_char:
	push si
	mov si, s_name_punctuation
is_char_of:
	cmp al, '0'
	jb .others
	cmp al, '9'
	jbe .yes
	cmp al, 'A'
	jb .others
	cmp al, 'Z'
	jbe .yes
	cmp al, 'a'
	jb .others
	cmp al, 'z'
	jbe .yes
.others:
	cmp byte [si], 0
	je .no
	cmp al, [si]
	je .yes
	inc si
	jmp .others
.yes:
	pop si
	clc
	ret
.no:
	pop si
	stc
	ret

s_table_file	db 'TOVRELL.TXT', 0
s_table_big	db 'TOVRELL.TXT is bigger than 32 KB, only its first 32 KB used', 0
s_net_unchanged	db ', NET left as it is', 0
s_kw_name	db 'name', 0
s_kw_card	db 'card', 0
s_ini		db 'ini', 0
s_tovrell	db 'tovrell', 0
s_file_punctuation db "!#$%&'()-@^_`{}~", 0
s_name_punctuation db "!@#$%^&()-_'{}.~", 0
s_line		db 'line ', 0
s_of_table_skipped db ' of TOVRELL.TXT skipped', 0
s_lines_skipped	db ' lines of TOVRELL.TXT skipped, the first is line ', 0
s_bad_id_on_line db 'a bad PCI id on line ', 0
s_bad_ids_skipped db ' bad PCI ids of TOVRELL.TXT skipped, the first on line ', 0
s_too_many	db 'more than 1000 cards in TOVRELL.TXT, only the first 1000 used', 0

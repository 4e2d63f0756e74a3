; Putting a card in place: its driver, PROTOCOL.INI and SYSTEM.INI are
; first written whole under temporary names in NET (TOVRELL1.$$$,
; TOVRELL2.$$$, TOVRELL3.$$$); only when all three are written is each
; old file deleted and its temporary file renamed to its name. A write
; that fails removes the temporary files and changes nothing else.

section .bss
copy_source	resw 1
copy_target	resw 1
copy_mode	resb 1
install_card	resw 1
source_handle	resw 1
target_handle	resw 1
chunk_len	resw 1
name_applied	resb 1

section .text

;------------------------------------------------------------------------------
; CARD_INSTALL - put a card's files in place in NET
;	Call:	BX = card number
;	Return:	CF clear if done (name_applied = 1 when SYSTEM.INI got the
;		    computer name)
;		CF set if not, AL = FAIL_READ (a card file, fail_path) or
;		    FAIL_WRITE: NET is as it was;
;		    FAIL_PLACE (fail_path): a file could not be put in place
;	Destroys: AH BX CX DX SI DI, the upper half of EAX
;------------------------------------------------------------------------------
card_install:
	mov [install_card], bx
	mov byte [name_applied], 0
	; the driver
	mov cl, 1
	call card_field
	mov di, path_a
	call card_path
	mov si, s_temp1
	xor al, al
	call copy_to_temp
	jc .failed
	; PROTOCOL.INI
	mov bx, [install_card]
	mov si, s_protocol_ini
	mov di, path_a
	call card_path
	mov si, s_temp2
	xor al, al
	call copy_to_temp
	jc .failed
	; SYSTEM.INI, with the computer name when there is one
	mov bx, [install_card]
	mov si, s_system_ini
	mov di, path_a
	call card_path
	mov si, s_temp3
	mov al, [name_len]
	test al, al
	jz .copy_system
	mov al, 1
.copy_system:
	call copy_to_temp
	jc .failed
	; all three written: in place with them
	mov bx, [install_card]
	mov cl, 1
	call card_field
	mov di, path_a
	call net_path
	mov si, s_temp1
	call put_in_place
	jc .not_placed
	mov si, s_protocol_ini
	mov di, path_a
	call net_path
	mov si, s_temp2
	call put_in_place
	jc .not_placed
	mov si, s_system_ini
	mov di, path_a
	call net_path
	mov si, s_temp3
	call put_in_place
	jc .not_placed
	ret
.not_placed:
	mov word [fail_path], path_a
	mov al, FAIL_PLACE
.failed:
	push ax
	call delete_temps
	pop ax
	stc
	ret

;------------------------------------------------------------------------------
; NAME_SET_IN_NET - give NET's own SYSTEM.INI the computer name (through
;	TOVRELL3.$$$)
;	Return:	CF clear if done (name_applied = 1)
;		CF set if not, AL = FAIL_READ (fail_path), FAIL_WRITE or
;		    NAME_NO_LINE (said so): SYSTEM.INI is as it was;
;		    FAIL_PLACE (fail_path)
;	Destroys: AH CX DX SI DI, the upper half of EAX
;------------------------------------------------------------------------------
name_set_in_net:
	mov byte [name_applied], 0
	mov si, s_system_ini
	mov di, path_a
	call net_path
	mov si, s_temp3
	mov al, 2
	call copy_to_temp
	jc .ret
	mov si, s_system_ini
	mov di, path_a
	call net_path
	mov si, s_temp3
	call put_in_place
	jnc .ret
	mov word [fail_path], path_a
	call delete_temps
	mov al, FAIL_PLACE
	stc
.ret:
	ret

;------------------------------------------------------------------------------
; COPY_TO_TEMP - copy a file to a temporary file in NET
;	Call:	path_a = the source's path, SI -> the temporary file's name,
;		AL = copy mode as for FILE_COPY
;	Return:	as FILE_COPY
;	Destroys: as FILE_COPY
;------------------------------------------------------------------------------
copy_to_temp:
	push ax
	mov di, path_b
	call net_path
	pop ax
	mov si, path_a
	mov di, path_b
	; fall through to FILE_COPY

;------------------------------------------------------------------------------
; FILE_COPY - copy a file into a new one
;	Call:	SI -> the source's path, DI -> the copy's path (made anew)
;		AL = 0 copy it as it is
;		     1 with the computer name (SYSTEM.INI): a file without a
;		       computername line, or too big, is copied as it is
;		       after saying so
;		     2 the same, but such a file is not copied at all
;	Return:	CF clear if copied (name_applied = 1 when the name went in)
;		CF set if not, and no copy is left:
;		    AL = FAIL_READ: the source cannot be read (fail_path = SI)
;		         FAIL_WRITE: the copy cannot be written (or a disk
;		             write failed, write_refused)
;		         NAME_NO_LINE: mode 2, no name can go in (said so)
;	Destroys: AH BX CX DX SI DI, the upper half of EAX
;------------------------------------------------------------------------------
file_copy:
	mov [copy_source], si
	mov [copy_target], di
	mov [copy_mode], al
	mov dx, si
	call open_read
	jc .read_failed
	mov [source_handle], bx
	call read_chunk
	jc .read_failed_open
	cmp byte [copy_mode], 0
	je .create
	; the name goes in only when the whole file is in the buffer
	cmp ax, IOBUF_SIZE
	jb .whole
	mov si, [copy_source]
	call say_ini_too_big
	jmp .unnamed
.whole:
	mov si, iobuf
	mov cx, ax
	call find_name_line
	jnc .create
	mov si, [copy_source]
	call say_no_name_line
.unnamed:
	cmp byte [copy_mode], 2
	je .no_name
	mov byte [copy_mode], 0
.create:
	mov dx, [copy_target]
	call clear_attributes
	xor cx, cx
	mov ah, 3Ch
	int 21h
	jc .write_failed_closed
	mov [target_handle], ax
	cmp byte [copy_mode], 0
	je .as_it_is
	call write_named
	jc .write_failed
	mov byte [name_applied], 1
	jmp .more
.as_it_is:
	mov dx, iobuf
	mov cx, [chunk_len]
	call write_block
	jc .write_failed
.more:
	call read_chunk
	jc .read_failed_both
	mov cx, ax
	jcxz .close
	mov dx, iobuf
	call write_block
	jc .write_failed
	jmp .more
.close:
	; Onto the disk now: DOS may keep written sectors in its buffers, and a
	; write-protected disk would only refuse them later.
	mov bx, [target_handle]
	mov ah, 68h
	int 21h
	jc .write_failed
	mov ah, 3Eh
	int 21h
	jc .write_failed_deleted
	cmp byte [write_refused], 0
	jne .write_failed_deleted
	mov bx, [source_handle]
	mov ah, 3Eh
	int 21h
	clc
	ret

.no_name:
	mov bx, [source_handle]
	mov ah, 3Eh
	int 21h
	mov al, NAME_NO_LINE
	stc
	ret
.read_failed_both:
	call close_delete_target
.read_failed_open:
	mov bx, [source_handle]
	mov ah, 3Eh
	int 21h
.read_failed:
	mov ax, [copy_source]
	mov [fail_path], ax
	mov al, FAIL_READ
	stc
	ret
.write_failed:
	call close_delete_target
	jmp .write_failed_closed
.write_failed_deleted:
	mov dx, [copy_target]
	mov ah, 41h
	int 21h
.write_failed_closed:
	mov bx, [source_handle]
	mov ah, 3Eh
	int 21h
	mov al, FAIL_WRITE
	stc
	ret

;------------------------------------------------------------------------------
; CLOSE_DELETE_TARGET - close and delete FILE_COPY's unfinished copy
;	Destroys: AX BX DX
;------------------------------------------------------------------------------
close_delete_target:
	mov bx, [target_handle]
	mov ah, 3Eh
	int 21h
	mov dx, [copy_target]
	mov ah, 41h
	int 21h
	ret

;------------------------------------------------------------------------------
; READ_CHUNK - read the next bufferful of FILE_COPY's source into iobuf
;	Return:	CF clear: AX = chunk_len = bytes read (0 at the end)
;		CF set: read error
;	Destroys: BX CX DX
;------------------------------------------------------------------------------
read_chunk:
	mov bx, [source_handle]
	mov cx, IOBUF_SIZE
	mov dx, iobuf
	mov ah, 3Fh
	int 21h
	jc .ret
	mov [chunk_len], ax
.ret:
	ret

;------------------------------------------------------------------------------
; WRITE_BLOCK - write bytes to FILE_COPY's copy
;	Call:	DX -> bytes, CX = how many (0: nothing written)
;	Return:	CF set unless all were written (a full disk writes fewer)
;	Destroys: AX BX
;------------------------------------------------------------------------------
write_block:
	clc
	jcxz .ret
	mov bx, [target_handle]
	mov ah, 40h
	int 21h
	jc .ret
	cmp ax, cx
	jne .short
	clc
.ret:
	ret
.short:
	stc
	ret

;------------------------------------------------------------------------------
; WRITE_NAMED - write the file in iobuf with its computername line replaced
;	Call:	name_line_start, name_line_end (as FIND_NAME_LINE gave them),
;		chunk_len bytes in iobuf
;	Return:	CF set if the write failed
;	Destroys: AX BX CX DX
;------------------------------------------------------------------------------
write_named:
	mov dx, iobuf
	mov cx, [name_line_start]
	sub cx, dx
	call write_block
	jc .ret
	mov dx, name_line
	mov cx, [name_line_len]
	call write_block
	jc .ret
	mov dx, [name_line_end]
	mov cx, iobuf
	add cx, [chunk_len]
	sub cx, dx
	call write_block
.ret:
	ret

;------------------------------------------------------------------------------
; PUT_IN_PLACE - replace a file of NET by a temporary file
;	Call:	SI -> the temporary file's name, path_a = the file's path
;	Return:	CF clear if done: the old file (read-only or not) is gone and
;		    the temporary file has its name
;		CF set if not (or if a disk write has failed)
;	Destroys: AX CX DX SI DI
;------------------------------------------------------------------------------
put_in_place:
	mov di, path_b
	call net_path
	mov dx, path_a
	call clear_attributes
	mov ah, 41h
	int 21h
	jnc .rename
	cmp ax, 2		; there was none
	jne .failed
.rename:
	mov dx, path_b
	mov di, path_a
	mov ah, 56h
	int 21h
	jc .failed
	cmp byte [write_refused], 0
	jne .failed
	ret
.failed:
	stc
	ret

;------------------------------------------------------------------------------
; DELETE_TEMPS - delete the temporary files there are
;	Destroys: AX DX SI DI
;------------------------------------------------------------------------------
delete_temps:
	mov si, s_temp1
.next:
	push si
	mov di, path_b
	call net_path
	mov dx, path_b
	mov ah, 41h
	int 21h
	pop si
	call skip_str
	cmp byte [si], 0
	jne .next
	ret

;------------------------------------------------------------------------------
; CLEAR_ATTRIBUTES - make a file writable and deletable (INT 21h AX=4301h)
;	Call:	DX -> its path
;	Return:	whether it worked does not matter (there may be no such file)
;	Keeps:	all registers
;------------------------------------------------------------------------------
clear_attributes:
	push ax
	push cx
	mov ax, 4301h
	xor cx, cx
	int 21h
	pop cx
	pop ax
	ret

;------------------------------------------------------------------------------
; OPEN_READ - open a file to read (INT 21h AX=3D00h), refusing a device
;	Call:	DX -> its path
;	Return:	CF clear: BX = handle
;		CF set: AX = DOS error (05h for a device such as CON)
;	Destroys: AX DX
;------------------------------------------------------------------------------
open_read:
	mov ax, 3D00h
	int 21h
	jc .ret
	mov bx, ax
	mov ax, 4400h
	int 21h
	jc .device
	test dl, 80h
	jz .ret			; CF is clear
.device:
	mov ah, 3Eh
	int 21h
	mov ax, 5
	stc
.ret:
	ret

;------------------------------------------------------------------------------
; SAY_INI_TOO_BIG - "Tovrell: <path> is too big, name not set"
; SAY_NO_NAME_LINE - "Tovrell: no computername= in [network] of
;	<path>, name not set"
;	Call:	SI -> the path
;	Keeps:	all registers
;------------------------------------------------------------------------------
say_ini_too_big:
	call out_start
	call out_str
	push si
	mov si, s_too_big
	call out_str
	jmp say_name_end

say_no_name_line:
	call out_start
	push si
	mov si, s_no_name_line
	call out_str
	pop si
	call out_str
	push si
say_name_end:
	mov si, s_name_not_set
	call out_str
	pop si
	jmp out_line

; The temporary files: driver, PROTOCOL.INI, SYSTEM.INI; a NUL ends the list.
s_temp1		db 'TOVRELL1.$$$', 0
s_temp2		db 'TOVRELL2.$$$', 0
s_temp3		db 'TOVRELL3.$$$', 0, 0
s_protocol_ini	db 'PROTOCOL.INI', 0
s_system_ini	db 'SYSTEM.INI', 0
s_too_big	db ' is too big', 0
s_no_name_line	db 'no computername= in [network] of ', 0

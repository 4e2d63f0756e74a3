; The PCI bus: find this PC's network controller through the PCI BIOS
; (INT 1Ah AX=B1xxh) and the table's card whose ids it has.

NIC_LIST	equ 4		; network controllers named when none matches

section .bss
pci_last_bus	resw 1
pci_bus		resw 1
pci_devfn	resw 1		; device << 3 | function
pci_ids		resd 1
nic_count	resw 1
nic_ids		resd NIC_LIST

section .text

;------------------------------------------------------------------------------
; PCI_SCAN - find the card of this PC's network controller
;	Every bus 0..last (however absurd the BIOS's last bus, at most 256),
;	every device 0..31 and, on a multi-function device, functions 1..7,
;	in that order; the first network controller (base class 02h) whose
;	vendor and device ids a card of the table has wins.
;	Return:	CF clear if found: BX = card number,
;		    EAX = device id << 16 | vendor id of the controller
;		CF set if not: AL = 0 no PCI BIOS, 1 no network controller,
;		    2 no card has the ids of the controllers found
;		    (nic_count of them, the first NIC_LIST in nic_ids)
;	Destroys: CX DX SI DI, the upper halves of the 32-bit registers
;------------------------------------------------------------------------------
pci_scan:
	mov ax, 0B101h
	xor edi, edi
	int 1Ah
	jc .no_bios
	cmp edx, 20494350h	; 'PCI '
	jne .no_bios
	test ah, ah
	jnz .no_bios
	movzx cx, cl
	mov [pci_last_bus], cx
	mov word [pci_bus], 0
.bus:
	mov word [pci_devfn], 0
.function:
	xor di, di
	call pci_read		; vendor and device ids
	jc .absent
	cmp cx, 0FFFFh
	je .absent
	test cx, cx
	jz .absent
	mov [pci_ids], ecx
	mov di, 08h
	call pci_read		; class code in bits 24-31
	jc .not_network
	shr ecx, 24
	cmp cl, 02h
	jne .not_network
	call pci_network_found
	jnc .found
.not_network:
	test byte [pci_devfn], 7
	jnz .next_function
	mov di, 0Ch
	call pci_read		; header type in bits 16-23
	jc .next_device
	test ecx, 00800000h	; multi-function
	jz .next_device
.next_function:
	inc word [pci_devfn]
	test byte [pci_devfn], 7
	jnz .function
	jmp .device_done
.absent:
	test byte [pci_devfn], 7
	jnz .next_function
.next_device:
	or word [pci_devfn], 7
	inc word [pci_devfn]
.device_done:
	cmp word [pci_devfn], 256
	jb .function
	; A word count: a last bus of FFh still ends, after bus FFh.
	inc word [pci_bus]
	mov ax, [pci_bus]
	cmp ax, [pci_last_bus]
	jbe .bus
	mov al, 1
	cmp word [nic_count], 0
	je .fail
	mov al, 2
.fail:
	stc
	ret
.no_bios:
	xor al, al
	stc
	ret
.found:
	mov eax, [pci_ids]
	clc
	ret

;------------------------------------------------------------------------------
; PCI_READ - read a configuration dword of the function at pci_bus,
;	pci_devfn (INT 1Ah AX=B10Ah)
;	Call:	DI = register (a multiple of 4)
;	Return:	CF clear: ECX = the dword
;		CF set: the BIOS failed
;	Keeps:	all other registers
;------------------------------------------------------------------------------
pci_read:
	push ax
	push bx
	push di
	mov bh, [pci_bus]
	mov bl, [pci_devfn]
	mov ax, 0B10Ah
	int 1Ah
	jc .ret
	test ah, ah
	jz .ret
	stc
.ret:
	pop di
	pop bx
	pop ax
	ret

;------------------------------------------------------------------------------
; PCI_NETWORK_FOUND - note a network controller and look its ids up
;	Call:	pci_ids = its ids
;	Return:	CF clear: BX = the number of the card that has them
;		CF set: no card has them
;	Keeps:	all other registers but EAX
;------------------------------------------------------------------------------
pci_network_found:
	mov eax, [pci_ids]
	mov bx, [nic_count]
	cmp bx, NIC_LIST
	jae .noted
	shl bx, 2
	mov [nic_ids + bx], eax
.noted:
	inc word [nic_count]
	jmp table_match

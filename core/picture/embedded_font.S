/* The one font every label is drawn with, compiled in so that pictures look the same on
   every machine. FONT_FILE is the quoted path of the TTF, chosen at configure time. */
    .section .rodata
    .balign 16
    .globl vx_embedded_font_data
    .globl vx_embedded_font_end
vx_embedded_font_data:
    .incbin FONT_FILE
vx_embedded_font_end:
    .byte 0
    .section .note.GNU-stack,"",@progbits

// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// ATmega328P glue: stdout on USART0, exit() stops (docs/targets.md).
#include <avr/io.h>
#include <stdio.h>

namespace {
// Sends a byte, setting the USART up first; GPIOR1 set: the byte was lost.
int put(char c, FILE *stream)
{
    static bool ready = false;
    if (!ready) {
        UBRR0 = 103;          // 16 MHz / (16 * 9600) - 1
        UCSR0A = 0;           // U2X0 off
        UCSR0C = 3 << UCSZ00; // asynchronous, 8 bits, no parity, 1 stop bit
        UCSR0B = 1 << TXEN0;
        ready = true;
    }
    loop_until_bit_is_set(UCSR0A, UDRE0);
    UDR0 = static_cast<uint8_t>(c);
    if (GPIOR1 == 0)
        return 0;
    stream->flags |= __SERR;
    return EOF;
}

FILE uart{.flags = _FDEV_SETUP_WRITE, .put = put};
} // namespace

extern "C" {
FILE *__iob[3] = {nullptr, &uart, &uart};

// exit()'s status (r24) kept in GPIOR2; the CPU stops.
[[gnu::naked, gnu::used, gnu::section(".fini8")]] void store_status()
{
    asm volatile("out %0, r24\n\tcli\n\tsleep" : : "I"(_SFR_IO_ADDR(GPIOR2)));
}
}

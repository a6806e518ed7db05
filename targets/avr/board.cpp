// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// ATmega328P at 16 MHz: standard output on USART0 at 9600 baud, 8N1; exit()
// leaves the status in GPIOR2 and stops (docs/targets.md). Nothing runs
// before main.
#include <avr/io.h>
#include <stdio.h>

namespace {
// Sends a byte, setting the USART up on first use; GPIOR1 set by a simulator
// means the byte was lost, which fails the stream.
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

// exit() falls through .fini with the status in r24: keep it and stop with
// interrupts off, which ends a simulation.
[[gnu::naked, gnu::used, gnu::section(".fini8")]] void store_status()
{
    asm volatile("out %0, r24\n\tcli\n\tsleep" : : "I"(_SFR_IO_ADDR(GPIOR2)));
}
}

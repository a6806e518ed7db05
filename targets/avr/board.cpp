// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// Board glue for an ATmega328P at 16 MHz (Arduino Uno): standard output on
// USART0 at 9600 baud, 8N1; exit() leaves the status in GPIOR2 and stops the
// CPU. Static data or work on first use: no code runs before main. A simulator
// that cannot pass a byte on sets GPIOR1, which a board leaves at 0.
#include <avr/io.h>
#include <stdio.h>

namespace {
// Sends one byte, setting up the transmitter on first use (whatever a boot
// loader or a simulator left in the USART); a byte the simulator could not
// deliver marks the stream as failed.
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

// FDEV_SETUP_STREAM names the fields out of declaration order, which C++ flags.
FILE uart{.flags = _FDEV_SETUP_WRITE, .put = put};
} // namespace

extern "C" {
// avr-libc's stdin, stdout and stderr, set up as static data.
FILE *__iob[3] = {nullptr, &uart, &uart};

// exit() falls through the .fini sections with the status in r24: keep it
// for the runner and stop with interrupts off, which ends a simulation (a real
// chip, sleep not being enabled, goes on to avr-libc's final loop). Exit
// handlers and static destructors would come after this and never run.
[[gnu::naked, gnu::used, gnu::section(".fini8")]] void store_status()
{
    asm volatile("out %0, r24\n\tcli\n\tsleep" : : "I"(_SFR_IO_ADDR(GPIOR2)));
}
}

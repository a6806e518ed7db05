// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// run FIRMWARE.elf: an ATmega328P firmware in simavr (docs/targets.md).
#define _GNU_SOURCE // NOLINT(*-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): memmem
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_elf.h>

enum { GPIOR1 = 0x4a, GPIOR2 = 0x4b };
enum { UCSR0A = 0xc0, UCSR0B = 0xc1, UCSR0C = 0xc2, UBRR0L = 0xc4, UBRR0H = 0xc5 };

// Keeps simavr's messages off both output streams.
static void quiet(avr_t *avr, const int level, const char *format, va_list ap)
{
    (void)avr, (void)level, (void)format, (void)ap;
}

// Whether avr-libc's device note (owner "AVR", type 1) in PATH names it.
static int for_atmega328p(const char *path)
{
    static const char name[] = "\0atmega328p"; // with its terminating '\0'
    static unsigned char file[1 << 22];
    FILE *stream = fopen(path, "rb");
    size_t size = stream ? fread(file, 1, sizeof file, stream) : 0;
    if (stream)
        (void)fclose(stream);
    for (size_t i = 0; i + 16 < size; i++) {
        size_t described =
            file[i + 4] | file[i + 5] << 8 | file[i + 6] << 16 | (size_t)file[i + 7] << 24;
        if (memcmp(file + i, "\4\0\0\0", 4) == 0 && memcmp(file + i + 8, "\1\0\0\0AVR", 8) == 0 &&
            described <= size - i - 16 && memmem(file + i + 16, described, name, sizeof name))
            return 1;
    }
    return 0;
}

// Whether USART0 sent at other than 9600 baud (within 2%), 8N1.
static int misconfigured;

// Passes one USART byte on (a failed write sets GPIOR1) and checks the USART.
static void put(avr_irq_t *irq, uint32_t value, void *param)
{
    avr_t *avr = param;
    const uint8_t *sfr = avr->data;
    unsigned char byte = (unsigned char)value;
    unsigned ubrr = (sfr[UBRR0H] & 0xFU) << 8 | sfr[UBRR0L];
    unsigned baud = avr->frequency / ((sfr[UCSR0A] & 2 ? 8 : 16) * (ubrr + 1));
    (void)irq;
    if (!misconfigured &&
        (baud < 9408 || baud > 9792 || (sfr[UCSR0C] & 0xfe) != 6 || sfr[UCSR0B] & 4)) {
        (void)fprintf(stderr,
                      "run: USART0 sends at %u baud, UCSR0B %#x, UCSR0C %#x: not 9600 baud, 8N1\n",
                      baud, sfr[UCSR0B], sfr[UCSR0C]);
        misconfigured = 1;
    }
    if (write(STDOUT_FILENO, &byte, 1) != 1)
        avr->data[GPIOR1] = 1;
}

// Stores UBRR0L, which simavr's USART uses but does not keep.
static void keep(avr_t *avr, avr_io_addr_t address, uint8_t value, void *param)
{
    (void)param;
    avr->data[address] = value;
}

int main(int argc, char **argv)
{
    static elf_firmware_t firmware;
    (void)signal(SIGPIPE, SIG_IGN); // a reader gone away is a failed write
    avr_global_logger_set(quiet);
    avr_t *avr = avr_make_mcu_by_name("atmega328p");
    if (argc < 2 || !avr || elf_read_firmware(argv[1], &firmware) != 0)
        return 2;
    if (!for_atmega328p(argv[1])) {
        (void)fprintf(stderr, "run: %s was not built for the atmega328p\n", argv[1]);
        return 2;
    }
    avr_init(avr);
    avr->frequency = 16000000;
    avr_load_firmware(avr, &firmware);
    avr_register_io_write(avr, UBRR0L, keep, NULL);
    avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUTPUT), put,
                            avr);
    int state = avr->state;
    do // sleeping with interrupts off counts as done
        state = avr_run(avr);
    while (state != cpu_Done && state != cpu_Crashed);
    return state == cpu_Done && !misconfigured ? avr->data[GPIOR2] : 2;
}

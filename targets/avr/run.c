// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// Runs an ATmega328P firmware (16 MHz) in simavr: its USART0 bytes go to
// standard output (a failed write is told it through GPIOR1), and the status its
// exit() left in GPIOR2 becomes this program's. Usage: run FIRMWARE.elf [...]
#include <signal.h>
#include <stdarg.h>
#include <unistd.h>

#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_elf.h>

enum { GPIOR1 = 0x4a, GPIOR2 = 0x4b }; // data-space addresses on the ATmega328P

// Keeps simavr's own messages off both output streams.
static void quiet(avr_t *avr, const int level, const char *format, va_list ap)
{
    (void)avr, (void)level, (void)format, (void)ap;
}

// Passes one byte from the USART on, flagging a failed write to the firmware.
static void put(avr_irq_t *irq, uint32_t value, void *param)
{
    avr_t *avr = param;
    unsigned char byte = (unsigned char)value;
    (void)irq;
    if (write(STDOUT_FILENO, &byte, 1) != 1)
        avr->data[GPIOR1] = 1;
}

int main(int argc, char **argv)
{
    static elf_firmware_t firmware;
    (void)signal(SIGPIPE, SIG_IGN); // a reader gone away is a failed write
    avr_global_logger_set(quiet);
    avr_t *avr = avr_make_mcu_by_name("atmega328p");
    if (argc < 2 || !avr || elf_read_firmware(argv[1], &firmware) != 0)
        return 2;
    avr_init(avr);
    avr->frequency = 16000000;
    avr_load_firmware(avr, &firmware);
    avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUTPUT), put,
                            avr);
    int state = avr->state;
    do // sleeping with interrupts off counts as done
        state = avr_run(avr);
    while (state != cpu_Done && state != cpu_Crashed);
    return state == cpu_Done ? avr->data[GPIOR2] : 2;
}

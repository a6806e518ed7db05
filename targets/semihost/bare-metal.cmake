# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# What bare metal semihosted in qemu-system shares: a program linked whole,
# no environment, a runner of the project's own (run.sh).
set(system Generic)
set(needs -)
set(bare "")
set(no_env "bare metal has no environment")
set(split_args "semihosting's command line is split at blanks")
list(APPEND folders semihost)

# Sourced by scripts/setup.sh and scripts/can-run-wine32.sh: the file in
# which setup keeps why the 32-bit Wine could not be installed on this
# machine (the packages on its first line, apt's reasons after them). It
# belongs to the machine, as the packages do, so every clone on it reads the
# same one, and a fresh machine starts without it. VELKARO_ROOT, when set,
# is the root that a test gives in place of /.
state_file=${VELKARO_ROOT:-}/var/lib/velkaro/wine32-not-installed

# Sanitizer settings for runs of build-asan/, sourced by sanitize.sh and fuzz.sh. Our code is fully checked;
# the suppressions name only leaks inside system libraries (fontconfig, glib, PulseAudio, Qt's plugins).
export ASAN_OPTIONS="strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"

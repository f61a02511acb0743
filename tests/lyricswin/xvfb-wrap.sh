#!/bin/sh
# Runs a test program on its own virtual X server with Mesa's software
# renderer, on a screen of XVFB_SCREEN (1280x1024x24 when unset). The first
# server number tried differs from run to run, so tests started together do
# not race for the same display.
exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 ${XVFB_SCREEN:-1280x1024x24}" \
    env QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 "$@"

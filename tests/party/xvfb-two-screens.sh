#!/bin/sh
# Runs a test program on its own virtual X server with two screens, a
# laptop's 1600x1200 and a television's 1920x1080 (Xvfb has no side-by-side
# Xinerama layout: these are two X screens of one server, as two graphics
# cards give), with Mesa's software renderer.
exec xvfb-run -a -n $((100 + $$ % 800)) \
    -s "-screen 0 1600x1200x24 -screen 1 1920x1080x24" \
    env QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 "$@"

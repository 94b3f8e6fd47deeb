#!/bin/sh
# Renders one portrait drawing into the picture files the rules name:
# NAME.jpg and NAME_F.jpg, and for a class also X-NAME.jpg and X-NAME_F.jpg
# (a former member). The drawing's style hides class "f" (female form) and
# "x" (former member); each form rewrites that one style line.
# Usage: render.sh RSVG-CONVERT FFMPEG DRAWING.svg WORK-FOLDER OUT-FOLDER
set -e
rsvg=$1 ffmpeg=$2 svg=$3 work=$4 out=$5
name=$(basename "$svg" .svg)
form() { # file style
  sed "s/<style>[^<]*<\/style>/<style>$2<\/style>/" "$svg" >"$work/$1.svg"
  "$rsvg" -o "$work/$1.png" "$work/$1.svg"
  "$ffmpeg" -v error -y -i "$work/$1.png" -fflags +bitexact -flags:v +bitexact \
    -q:v 2 -pix_fmt yuvj444p "$out/$1.jpg"
}
form "$name" '.f{display:none}.x{display:none}'
form "${name}_F" '.m{display:none}.x{display:none}'
case "$name" in
class_*)
  form "X-$name" '.f{display:none}'
  form "X-${name}_F" '.m{display:none}'
  ;;
esac

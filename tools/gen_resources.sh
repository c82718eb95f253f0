#!/usr/bin/env bash
# Draws every picture and icon of ZoManager into resources/ (ImageMagick 6 `convert`).
#
#   tools/gen_resources.sh [OUTPUT_DIR]      (default: <repo>/resources)
#
# The generated files are committed, so building needs no ImageMagick; run this
# script again only to change the art.  Everything is drawn from the vector
# descriptions below (ImageMagick "MVG" drawing commands, an SVG-like language),
# on a 128 x 128 unit design grid rendered 4x larger and scaled down, which gives
# clean anti-aliased edges.  Lettering uses DejaVu Sans and Lato (fonts-lato).
#
# Palette (flat style, for the dark blue-black console):
#   blue rgb(0,128,255) (the style sheets' colour), white, greys,
#   green / red / orange for states, yellow for the sun.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=${1:-$ROOT/resources}

CONVERT=${CONVERT:-}
if [ -z "$CONVERT" ]; then
  if [ -x /usr/bin/convert ]; then CONVERT=/usr/bin/convert; else CONVERT=convert; fi
fi
if ! "$CONVERT" -version 2>/dev/null | grep -q ImageMagick; then
  echo "gen_resources: ImageMagick's convert is needed (apt-get install imagemagick)" >&2
  exit 1
fi

font_file() { # first existing file among the arguments
  local f
  for f in "$@"; do [ -f "$f" ] && { echo "$f"; return; }; done
  echo "gen_resources: none of these fonts exists: $*" >&2
  exit 1
}
FD=/usr/share/fonts/truetype/dejavu
FL=/usr/share/fonts/truetype/lato
SANS=$(font_file "$FD/DejaVuSans.ttf")
SANSB=$(font_file "$FD/DejaVuSans-Bold.ttf")
SERIFBI=$(font_file "$FD/DejaVuSerif-BoldItalic.ttf" "$FD/DejaVuSans-BoldOblique.ttf")
LATO=$(font_file "$FL/Lato-Regular.ttf" "$SANS")
LATOB=$(font_file "$FL/Lato-Bold.ttf" "$SANSB")
LATOBK=$(font_file "$FL/Lato-Black.ttf" "$SANSB")
LATOL=$(font_file "$FL/Lato-Light.ttf" "$SANS")

# ---------------------------------------------------------------- palette
BLUE='rgb(0,128,255)'
BLUED='rgb(0,84,170)'
BLUEL='rgb(120,190,255)'
WHITE='rgb(255,255,255)'
GR1='rgb(205,210,218)'
GR2='rgb(140,148,160)'
GR3='rgb(84,92,104)'
DARK='rgb(14,24,38)'
GREEN='rgb(40,190,90)'
RED='rgb(230,62,50)'
ORANGE='rgb(255,150,0)'
YELLOW='rgb(255,200,30)'

# shellcheck disable=SC2054  # the commas belong to an ImageMagick option
PNGOPT=(-depth 8 -strip -define png:exclude-chunks=date,time -define png:compression-level=9)
JPGOPT=(-strip -interlace none -sampling-factor 4:2:0 -quality 85)

COUNT=0
MANIFEST=$(mktemp)
trap 'rm -f "$MANIFEST"' EXIT
# out_path FILE : full path of an output file (relative to OUT), noted for resources.qrc
out_path() { mkdir -p "$(dirname "$OUT/$1")"; echo "$1" >>"$MANIFEST"; echo "$OUT/$1"; }

# icon FILE SIZE MVG...  : square picture, 128-unit design grid, transparent.
# The drawing may hold the markers $(punch) and $(redraw): what follows $(punch) is punched out of
# what is drawn so far (a transparent gap), what follows $(redraw) is drawn over it again.
# A marker may not stand inside an open graphic context.
icon() {
  local file=$1 size=$2; shift 2
  local dst; dst=$(out_path "$file")
  local mvg="$*" segs=() layers=() seg op
  mvg=${mvg//@@CUT@@/$'\x1f'C}
  mvg=${mvg//@@DRAW@@/$'\x1f'D}
  IFS=$'\x1f' read -r -d '' -a segs <<<"$mvg" || true
  for seg in "${segs[@]}"; do
    op=Over
    if [ ${#layers[@]} -gt 0 ]; then
      case ${seg:0:1} in C) op=DstOut ;; esac
      seg=${seg:1}
    fi
    layers+=(\( -size 512x512 xc:none -draw "affine 4 0 0 4 0 0
$seg" \) -compose "$op" -composite)
  done
  "$CONVERT" -size 512x512 xc:none "${layers[@]}" -filter Box -resize "${size}x${size}" "${PNGOPT[@]}" "PNG32:$dst"
  COUNT=$((COUNT + 1))
}
punch() { echo "@@CUT@@"; }
redraw() { echo "@@DRAW@@"; }

# pic FILE W H SCALE BACKGROUND MVG... : W x H units drawn at SCALE x, output W x H pixels.
pic() {
  local file=$1 w=$2 h=$3 s=$4 bg=$5; shift 5
  local dst; dst=$(out_path "$file")
  local fmt="PNG32:"; local opts=("${PNGOPT[@]}")
  case "$file" in *.jpg) fmt="JPG:"; opts=("${JPGOPT[@]}") ;; esac
  "$CONVERT" -size "$((w * s))x$((h * s))" "$bg" -draw "affine $s 0 0 $s 0 0
$*" -filter Box -resize "${w}x${h}!" "${opts[@]}" "$fmt$dst"
  COUNT=$((COUNT + 1))
}

# ---------------------------------------------------------------- MVG helpers
st() { echo "push graphic-context fill none stroke $1 stroke-width ${2:-9} stroke-linecap round stroke-linejoin round"; }
fl() { echo "push graphic-context stroke none fill $1"; }
po() { echo "pop graphic-context"; }
# at SCALE TX TY : place what follows (until po) scaled and moved
at() { echo "push graphic-context affine $1 0 0 $1 $2 $3"; }
# rot DEG CX CY : rotate what follows (until po) around CX,CY
rot() { echo "push graphic-context translate $2,$3 rotate $1 translate -$2,-$3"; }
# txt FONT SIZE COLOUR X Y TEXT [GRAVITY]
txt() { echo "push graphic-context stroke none fill $3 font '$1' font-size $2 gravity ${7:-NorthWest} text $4,$5 '$6' pop graphic-context"; }
# ltext FONT SIZE COLOUR X BASELINE TEXT : text starting at X on the baseline
ltext() { echo "push graphic-context stroke none fill $3 font '$1' font-size $2 text $4,$5 '$6' pop graphic-context"; }
# ctext FONT SIZE COLOUR CX BASELINE TEXT : text centred on CX (measured by ImageMagick)
ctext() {
  local w
  w=$("$CONVERT" -font "$1" -pointsize "$(( $2 * 8 ))" label:"$6" -format '%w' info: 2>/dev/null || echo 0)
  local x; x=$(awk -v cx="$4" -v w="$w" 'BEGIN{printf "%.2f", cx - w/16}')
  echo "push graphic-context stroke none fill $3 font '$1' font-size $2 text $x,$5 '$6' pop graphic-context"
}

# rr X0 Y0 X1 Y1 R : rounded rectangle as a sub-path (for even-odd shapes with holes)
rr() {
  awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" -v r="$5" 'BEGIN{
    printf "M %g %g L %g %g A %g %g 0 0 1 %g %g L %g %g A %g %g 0 0 1 %g %g L %g %g A %g %g 0 0 1 %g %g L %g %g A %g %g 0 0 1 %g %g Z",
      a+r,b, c-r,b, r,r, c,b+r, c,d-r, r,r, c-r,d, a+r,d, r,r, a,d-r, a,b+r, r,r, a+r,b }'
}
holed() { # colour path-data : an even-odd filled shape
  echo "push graphic-context stroke none fill $1 fill-rule evenodd path '$2' pop graphic-context"
}
# gearpath CX CY R TEETH : gear outline (even-odd, with a hole) as a path
gearpath() {
  awk -v cx="$1" -v cy="$2" -v R="$3" -v n="$4" 'BEGIN{
    pi=3.14159265; r=R*0.74; s="";
    for(i=0;i<n;i++){ a=2*pi*i/n; d=pi/n;
      p[1]=a-d*0.95; q[1]=r; p[2]=a-d*0.45; q[2]=R; p[3]=a+d*0.45; q[3]=R; p[4]=a+d*0.95; q[4]=r;
      for(k=1;k<=4;k++){ s=s sprintf("%s %.2f %.2f ", (i==0&&k==1)?"M":"L", cx+q[k]*cos(p[k]), cy+q[k]*sin(p[k])) } }
    h=R*0.36;
    s=s sprintf("Z M %.2f %.2f A %.2f %.2f 0 1 0 %.2f %.2f A %.2f %.2f 0 1 0 %.2f %.2f Z", cx+h,cy,h,h,cx-h,cy,h,h,cx+h,cy);
    printf "path \x27%s\x27", s }'
}
# starpath CX CY R N : sun rays as lines
rays() {
  awk -v cx="$1" -v cy="$2" -v r1="$3" -v r2="$4" -v n="$5" -v o="${6:-0}" 'BEGIN{pi=3.14159265;
    for(i=0;i<n;i++){a=2*pi*i/n+o; printf "line %.2f,%.2f %.2f,%.2f\n", cx+r1*cos(a), cy+r1*sin(a), cx+r2*cos(a), cy+r2*sin(a)}}'
}
circ() { echo "circle $1,$2 $(awk -v a="$1" -v r="$3" 'BEGIN{print a+r}'),$2"; }
# arcpath CX CY R A0 A1 : an open circular arc from angle A0 to A1 (degrees, clockwise on screen)
arcpath() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v a0="$4" -v a1="$5" 'BEGIN{pi=3.14159265;
    x0=cx+r*cos(a0*pi/180); y0=cy+r*sin(a0*pi/180); x1=cx+r*cos(a1*pi/180); y1=cy+r*sin(a1*pi/180);
    large=((a1-a0)>180)?1:0;
    printf "path \x27M %.2f %.2f A %.2f %.2f 0 %d 1 %.2f %.2f\x27", x0,y0,r,r,large,x1,y1}'
}
# arrowhead at the end of an arc: tip point from angle A (degrees) on circle, pointing clockwise
archead() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v a="$4" -v s="${5:-14}" -v dir="${6:-1}" 'BEGIN{pi=3.14159265; t=a*pi/180;
    x=cx+r*cos(t); y=cy+r*sin(t); tx=-sin(t)*dir; ty=cos(t)*dir; nx=cos(t); ny=sin(t);
    printf "polygon %.2f,%.2f %.2f,%.2f %.2f,%.2f\n", x+tx*s, y+ty*s, x-tx*s*0.2+nx*s, y-ty*s*0.2+ny*s, x-tx*s*0.2-nx*s, y-ty*s*0.2-ny*s}'
}

# ---------------------------------------------------------------- glyphs (128-unit grid)
g_user() { # C
  fl "$1"; circ 64 38 22; echo "path 'M 20 116 C 20 86 40 70 64 70 C 88 70 108 86 108 116 Z'"; po
}
g_users() { # front back  (uses cut/draw: call at the top level only)
  at 0.7 -4 4; g_user "$2"; po
  at 0.7 42 4; g_user "$2"; po
  punch; at 0.86 9 18; fl "$WHITE"; circ 64 38 28; echo "path 'M 12 122 C 12 84 38 62 64 62 C 90 62 116 84 116 122 Z'"; po; po
  redraw; at 0.86 9 18; g_user "$1"; po
}
g_gear() { # C CX CY R
  echo "push graphic-context stroke none fill $1 fill-rule evenodd $(gearpath "$2" "$3" "$4" 8) pop graphic-context"
}
g_calendar() { # frame head
  holed "$1" "$(rr 14 22 114 116 12) M 23 50 L 105 50 L 105 107 L 23 107 Z"
  fl "$2"; echo "roundrectangle 14,22 114,50 12,12 rectangle 14,36 114,50"; po
  st "$1" 9; echo "line 40,12 40,30 line 88,12 88,30"; po
  fl "$1"; local x y
  for y in 60 76 92; do for x in 30 50 70 90; do echo "rectangle $x,$y $((x+9)),$((y+9))"; done; done; po
}
g_clock() { # ring hands
  st "$1" 9; circ 64 64 48; po
  st "$2" 9; echo "line 64,64 64,32 line 64,64 88,76"; po
  fl "$2"; circ 64 64 7; po
}
g_folder() { # body tab
  fl "$2"; echo "path 'M 10 30 Q 10 22 18 22 L 48 22 L 58 32 L 110 32 Q 118 32 118 40 L 118 60 L 10 60 Z'"; po
  fl "$1"; echo "path 'M 10 44 Q 10 38 16 38 L 112 38 Q 118 38 118 44 L 118 104 Q 118 112 110 112 L 18 112 Q 10 112 10 104 Z'"; po
}
g_film() { # C
  local s="M 26 10 L 102 10 L 102 118 L 26 118 Z" y
  for y in 18 38 58 78 98; do s="$s M 32 $y L 42 $y L 42 $((y+12)) L 32 $((y+12)) Z M 86 $y L 96 $y L 96 $((y+12)) L 86 $((y+12)) Z"; done
  s="$s M 50 18 L 78 18 L 78 60 L 50 60 Z M 50 68 L 78 68 L 78 110 L 50 110 Z"
  echo "push graphic-context stroke none fill $1 fill-rule evenodd path '$s' pop graphic-context"
}
g_picture() { # frame sky-accent
  st "$1" 8; echo "roundrectangle 12,20 116,108 10,10"; po
  fl "$2"; circ 86 46 10; po
  fl "$1"; echo "polygon 20,100 52,56 74,84 86,72 108,100"; po
}
g_envelope() { # C
  st "$1" 8; echo "roundrectangle 12,26 116,102 8,8"; echo "polyline 16,32 64,70 112,32"; po
}
g_phone() { # C
  fl "$1"
  echo "path 'M 30 14 L 48 14 Q 52 14 53 18 L 58 38 Q 59 42 55 45 L 45 52 Q 56 74 76 84 L 83 74 Q 86 70 90 71 L 110 76 Q 114 77 114 81 L 114 100 Q 114 114 100 114 Q 52 112 16 42 Q 14 28 14 24 Q 16 14 30 14 Z'"
  po
}
g_lock() { # body shackle
  st "$2" 11; echo "path 'M 38 60 L 38 40 A 26 26 0 0 1 90 40 L 90 60'"; po
  holed "$1" "$(rr 22 56 106 118 10) M 58.5 88 A 10 10 0 1 1 69.5 88 L 72 106 L 56 106 Z"
}
g_pencil() { # body tip
  rot 45 64 64
  fl "$1"; echo "roundrectangle 52,6 76,92 4,4"; po
  fl "$2"; echo "rectangle 52,16 76,24"; po
  fl "$GR1"; echo "polygon 52,92 76,92 64,118"; po
  fl "$DARK"; echo "polygon 60,110 68,110 64,118"; po
  po
}
g_trash() { # C
  st "$1" 8; echo "line 18,28 110,28 polyline 48,28 48,16 80,16 80,28"; po
  st "$1" 8; echo "path 'M 26 38 L 32 114 L 96 114 L 102 38'"; echo "line 50,52 52,100 line 64,52 64,100 line 78,52 76,100"; po
}
g_floppy() { # body label
  holed "$1" "M 14 22 Q 14 14 22 14 L 96 14 L 114 32 L 114 106 Q 114 114 106 114 L 22 114 Q 14 114 14 106 Z $(rr 30 64 98 106 5)"
  fl "$2"; echo "rectangle 34,14 88,46"; po
  fl "$1"; echo "rectangle 72,20 82,40"; po
  fl "$2"; echo "rectangle 40,76 88,82 rectangle 40,90 88,96"; po
}
g_globe() { # C
  st "$1" 7; circ 64 64 48; echo "ellipse 64,64 20,48 0,360 line 16,64 112,64"
  echo "path 'M 24 38 Q 64 52 104 38' path 'M 24 90 Q 64 76 104 90'"; po
}
g_pin() { # C hole-colour
  fl "$1"; echo "path 'M 64 122 C 44 92 24 74 24 50 A 40 40 0 0 1 104 50 C 104 74 84 92 64 122 Z'"; po
  fl "$2"; circ 64 50 15; po
}
g_power() { # C [width]
  st "$1" "${2:-11}"; arcpath 64 68 40 -55 235; echo "line 64,14 64,62"; po
}
g_check() { st "$1" "${2:-14}"; echo "polyline 26,66 52,92 102,38"; po; }
g_cross() { st "$1" "${2:-14}"; echo "line 34,34 94,94 line 94,34 34,94"; po; }
g_plus() { st "$1" "${2:-14}"; echo "line 64,30 64,98 line 30,64 98,64"; po; }
g_minus() { st "$1" "${2:-14}"; echo "line 30,64 98,64"; po; }
g_disc() { fl "$1"; circ 64 64 "${2:-56}"; po; }
g_refresh() { # C
  st "$1" 10; arcpath 64 64 40 200 330; arcpath 64 64 40 20 150; po
  fl "$1"; archead 64 64 40 340 16 1; archead 64 64 40 160 16 1; po
}
g_arrow_up() { # C
  fl "$1"; echo "polygon 64,12 110,60 80,60 80,114 48,114 48,60 18,60"; po
}
g_cloud() { # fill outline
  if [ -n "$2" ]; then
    st "$2" 8; circ 42 74 22; circ 70 60 28; circ 94 78 18; echo "roundrectangle 20,74 112,96 11,11"; po
  fi
  fl "$1"; circ 42 74 22; circ 70 60 28; circ 94 78 18; echo "roundrectangle 20,74 112,96 11,11"; po
}
g_sun() { # C
  st "$1" 8; rays 64 64 38 54 8; po
  fl "$1"; circ 64 64 28; po
}
g_moon() { # C
  fl "$1"; echo "path 'M 74 16 A 48 48 0 1 0 112 82 A 38 38 0 1 1 74 16 Z'"; po
}
g_monitor() { # frame [screen]
  holed "$1" "$(rr 8 16 120 92 8) M 16 24 L 112 24 L 112 84 L 16 84 Z"
  fl "$1"; echo "polygon 52,92 76,92 80,110 48,110 roundrectangle 34,106 94,114 3,3"; po
  if [ -n "${2:-}" ]; then fl "$2"; echo "rectangle 16,24 112,84"; po; fi
}
g_bell() { # C
  fl "$1"; echo "path 'M 64 14 C 88 14 98 34 98 56 L 98 80 L 112 96 L 16 96 L 30 80 L 30 56 C 30 34 40 14 64 14 Z'"; circ 64 104 12; po
}
g_list() { # C
  st "$1" 10; echo "line 16,32 112,32 line 16,64 112,64 line 16,96 112,96"; po
}
g_tag() { # C
  echo "push graphic-context stroke none fill $1 fill-rule evenodd path 'M 14 22 Q 14 14 22 14 L 62 14 L 118 70 L 70 118 L 14 62 Z M 48 38 A 10 10 0 1 0 28 38 A 10 10 0 1 0 48 38 Z' pop graphic-context"
}
g_funnel() { # C
  fl "$1"; echo "path 'M 12 18 L 116 18 L 76 66 L 76 106 L 52 118 L 52 66 Z'"; po
}
g_link() { # C
  rot -45 64 64
  st "$1" 11; echo "roundrectangle 20,46 72,82 18,18 roundrectangle 56,46 108,82 18,18"; po
  po
}
g_bars() { # C accent
  fl "$1"; echo "rectangle 14,108 114,116"; po
  fl "$2"; echo "roundrectangle 22,66 42,104 3,3 roundrectangle 52,40 72,104 3,3 roundrectangle 82,18 102,104 3,3"; po
}
g_share() { # C
  st "$1" 8; echo "line 34,64 92,30 line 34,64 92,98"; po
  fl "$1"; circ 34 64 16; circ 92 30 16; circ 92 98 16; po
}
g_play() { fl "$1"; echo "polygon 44,30 100,64 44,98"; po; }
g_speech() { # C
  fl "$1"; echo "path 'M 22 16 L 106 16 Q 118 16 118 28 L 118 78 Q 118 90 106 90 L 56 90 L 28 116 L 32 90 L 22 90 Q 10 90 10 78 L 10 28 Q 10 16 22 16 Z'"; po
}
g_stopwatch() { # ring hand
  st "$1" 9; circ 64 72 44; echo "line 64,8 64,22 line 50,8 78,8 line 100,30 108,22"; po
  st "$2" 9; echo "line 64,72 64,44"; po
  fl "$2"; circ 64 72 7; po
}
g_door() { # frame arrow
  st "$1" 9; echo "polyline 70,38 70,16 18,16 18,112 70,112 70,90"; po
  st "$2" 11; echo "line 46,64 104,64 polyline 86,44 108,64 86,84"; po
}
g_camera() { # C (outline, Instagram-like)
  st "$1" 10; echo "roundrectangle 16,16 112,112 28,28"; circ 64 64 22; po
  fl "$1"; circ 92 36 7; po
}
g_bird() { # C
  fl "$1"
  echo "path 'M 16 92 C 36 96 52 88 60 76 C 40 76 28 64 26 44 C 40 56 52 62 62 62 C 58 48 62 34 76 26 C 90 20 104 26 108 38 L 120 36 L 112 48 C 112 86 82 112 44 110 C 32 108 22 102 16 92 Z'"
  po
}
g_hourglass() { # frame sand
  st "$1" 8; echo "line 30,14 98,14 line 30,114 98,114"; echo "path 'M 36 14 C 36 44 56 54 56 64 C 56 74 36 84 36 114 M 92 14 C 92 44 72 54 72 64 C 72 74 92 84 92 114'"; po
  fl "$2"; echo "polygon 44,36 84,36 64,58 polygon 64,76 86,106 42,106"; po
}
g_upload() { # arrow tray
  st "$2" 10; echo "polyline 16,84 16,112 112,112 112,84"; po
  fl "$1"; echo "polygon 64,10 98,46 76,46 76,92 52,92 52,46 30,46"; po
}
g_download() { # arrow tray
  st "$2" 10; echo "polyline 16,84 16,112 112,112 112,84"; po
  fl "$1"; echo "polygon 64,96 98,60 76,60 76,12 52,12 52,60 30,60"; po
}
g_grid4() { # C accent
  fl "$1"; echo "roundrectangle 14,14 58,58 8,8 roundrectangle 70,70 114,114 8,8 roundrectangle 14,70 58,114 8,8"; po
  fl "$2"; echo "roundrectangle 70,14 114,58 8,8"; po
}
g_drop() { # C
  fl "$1"; echo "path 'M 64 12 C 80 40 98 58 98 80 A 34 34 0 0 1 30 80 C 30 58 48 40 64 12 Z'"; po
}
g_thumb() { # C
  fl "$1"; echo "roundrectangle 12,58 36,114 4,4"
  echo "path 'M 44 60 L 62 24 Q 66 14 74 16 Q 84 20 80 34 L 74 52 L 104 52 Q 118 54 114 68 L 102 104 Q 98 114 88 114 L 44 114 Z'"; po
}
g_rss() { # C
  fl "$1"; circ 32 96 12; po
  st "$1" 13; arcpath 24 104 44 -90 0; arcpath 24 104 76 -90 0; po
}
g_touch() { # C accent
  st "$2" 6; circ 64 52 20; circ 64 52 36; po
  fl "$1"; echo "path 'M 56 52 Q 56 44 64 44 Q 72 44 72 52 L 72 76 L 98 82 Q 108 86 106 96 L 100 122 L 54 122 L 34 94 Q 30 86 38 84 Q 44 82 50 88 L 56 94 Z'"; po
}
g_stop() { # C
  fl "$1"; echo "polygon 48,12 80,12 116,48 116,80 80,116 48,116 12,80 12,48"; po
  st "$WHITE" 12; echo "line 34,64 94,64"; po
}
g_box() { # C side top
  fl "$2"; echo "polygon 64,10 116,34 64,58 12,34"; po
  fl "$1"; echo "polygon 12,34 64,58 64,120 12,96"; po
  fl "$3"; echo "polygon 116,34 64,58 64,120 116,96"; po
}
g_plug() { # C (plug pointing right, at origin area 0..64)
  fl "$1"; echo "roundrectangle 20,44 58,84 8,8 rectangle 58,50 72,58 rectangle 58,70 72,78 rectangle 4,58 20,70"; po
}
g_socket() { # C (socket pointing left)
  holed "$1" "$(rr 70 40 108 88 8) M 70 50 L 80 50 L 80 58 L 70 58 Z M 70 70 L 80 70 L 80 78 L 70 78 Z"
  fl "$1"; echo "rectangle 106,58 124,70"; po
}
g_textlines() { # C mode: left center right justify
  st "$1" 10
  case "$2" in
    left)    echo "line 14,22 114,22 line 14,48 82,48 line 14,74 114,74 line 14,100 70,100" ;;
    center)  echo "line 14,22 114,22 line 34,48 94,48 line 14,74 114,74 line 42,100 86,100" ;;
    right)   echo "line 14,22 114,22 line 46,48 114,48 line 14,74 114,74 line 58,100 114,100" ;;
    justify) echo "line 14,22 114,22 line 14,48 114,48 line 14,74 114,74 line 14,100 114,100" ;;
  esac
  po
}

# ================================================================ images/ : console icons
I=images
echo "gen_resources: drawing into $OUT"

icon $I/Admin.png 128 "$(g_user "$WHITE") $(punch) $(fl "$WHITE") $(circ 92 92 33) $(po) $(redraw) $(at 0.5 60 60) $(g_gear "$BLUE" 64 64 56) $(po)"
icon $I/Alerte.png 128 "$(g_bell "$WHITE") $(punch) $(fl "$WHITE") $(circ 100 28 28) $(po) $(redraw) $(fl "$RED") $(circ 100 28 22) $(po) $(txt "$SANSB" 34 "$WHITE" 91 9 '!')"
icon $I/Calendar.png 128 "$(g_calendar "$WHITE" "$BLUE")"
icon $I/Connect.png 128 "$(rot -45 64 64) $(at 1.2 -12.8 -12.8) $(at 1 -7 0) $(g_plug "$WHITE") $(po) $(at 1 7 0) $(g_socket "$BLUE") $(po) $(po) $(po)"
icon $I/Disconnect.png 128 "$(rot -45 64 64) $(at 1.2 -12.8 -12.8) $(at 1 4 0) $(g_plug "$WHITE") $(po) $(g_socket "$BLUE") $(po) $(po) $(punch) $(fl "$WHITE") $(circ 28 28 20) $(po) $(redraw) $(fl "$GREEN") $(circ 28 28 14) $(po)"
icon $I/DateON.png 128 "$(g_calendar "$WHITE" "$BLUE")"
icon $I/DateOFF.png 128 "$(g_calendar "$GR2" "$GR3")"
icon $I/HeureON.png 128 "$(g_clock "$WHITE" "$BLUE")"
icon $I/HeureOFF.png 128 "$(g_clock "$GR2" "$GR3")"
icon $I/Deploy.png 128 "$(at 1 0 6) $(g_cloud "$BLUE" '') $(po) $(st "$WHITE" 10) line 64,110 64,60 polyline 46,76 64,58 82,76 $(po)"
icon $I/Monter.png 128 "$(at 0.72 -2 18) $(g_arrow_up "$BLUE") $(po) $(st "$WHITE" 9) line 84,34 116,34 line 84,64 116,64 line 84,94 116,94 $(po)"
icon $I/Descendre.png 128 "$(rot 180 64 64) $(at 0.72 -2 18) $(g_arrow_up "$BLUE") $(po) $(po) $(st "$WHITE" 9) line 12,34 44,34 line 12,64 44,64 line 12,94 44,94 $(po)"
icon $I/Email.png 128 "$(g_envelope "$WHITE") $(fl "$BLUE") $(po)"
icon $I/Etiquette.png 128 "$(g_tag "$WHITE")"
icon $I/Filtres.png 128 "$(g_funnel "$WHITE")"
icon $I/Groupes.png 128 "$(g_users "$WHITE" "$BLUE")"
icon $I/FacebookON.png 128 "$(fl "$BLUE") roundrectangle 10,10 118,118 22,22 $(po) $(txt "$SANSB" 96 "$WHITE" 46 14 'f')"
icon $I/FacebookOFF.png 128 "$(fl "$GR3") roundrectangle 10,10 118,118 22,22 $(po) $(txt "$SANSB" 96 "$GR1" 46 14 'f')"
icon $I/InstagramOFF.png 128 "$(g_camera "$GR2")"
icon $I/TwitterOFF.png 128 "$(g_bird "$GR2")"
icon $I/InteractionOui.png 128 "$(g_touch "$WHITE" "$BLUE")"
icon $I/Mediatheque.png 128 "$(at 0.62 44 0) $(g_film "$BLUE") $(po) $(punch) $(fl "$WHITE") roundrectangle 6,40 92,118 10,10 $(po) $(redraw) $(at 0.7 8 42) $(g_picture "$WHITE" "$YELLOW") $(po)"
icon $I/Message.png 128 "$(g_speech "$WHITE") $(st "$BLUE" 8) line 30,40 98,40 line 30,64 82,64 $(po)"
icon $I/Plus.png 128 "$(g_disc "$GREEN") $(g_plus "$WHITE")"
icon $I/Moins.png 128 "$(g_disc "$RED") $(g_minus "$WHITE")"
icon $I/Parametres.png 128 "$(g_gear "$WHITE" 64 64 56) $(fl "$BLUE") $(circ 64 64 12) $(po)"
icon $I/PathWeb.png 128 "$(at 0.62 0 0) $(g_globe "$BLUE") $(po) $(at 0.7 38 38) $(g_link "$WHITE") $(po)"
icon $I/Phone.png 128 "$(g_phone "$WHITE")"
icon $I/Play.png 128 "$(g_disc "$BLUE") $(at 1 4 0) $(g_play "$WHITE") $(po)"
icon $I/Position.png 128 "$(g_pin "$BLUE" "$WHITE")"
icon $I/Position2.png 128 "$(g_pin "$WHITE" "$BLUE")"
icon $I/PowerON.png 128 "$(g_power "$GREEN" 12)"
icon $I/PowerOFF.png 128 "$(g_power "$RED" 12)"
icon $I/Quit.png 128 "$(g_door "$WHITE" "$RED")"
icon $I/Rename.png 128 "$(st "$GR1" 8) line 12,116 60,116 $(po) $(g_pencil "$WHITE" "$BLUE")"
icon $I/Retour.png 128 "$(st "$WHITE" 13) path 'M 40 40 L 84 40 A 30 30 0 0 1 84 100 L 46 100' $(po) $(fl "$WHITE") polygon 14,40 46,14 46,66 $(po)"
icon $I/Rss.png 128 "$(fl "$ORANGE") roundrectangle 8,8 120,120 22,22 $(po) $(at 0.7 14 10) $(g_rss "$WHITE") $(po)"
icon $I/Stat.png 128 "$(g_bars "$WHITE" "$BLUE")"
icon $I/Switch.png 128 "$(st "$WHITE" 11) line 18,42 100,42 line 28,86 110,86 polyline 84,24 104,42 84,60 polyline 44,68 24,86 44,104 $(po)"
icon $I/Txt.png 128 "$(txt "$SANSB" 100 "$WHITE" 4 -6 'T') $(at 0.6 52 50) $(g_pencil "$BLUE" "$WHITE") $(po)"
icon $I/Widget.png 128 "$(g_grid4 "$WHITE" "$BLUE")"
icon $I/World.png 128 "$(g_globe "$WHITE")"
icon $I/WwwON.png 128 "$(g_globe "$BLUE") $(punch) $(fl "$WHITE") roundrectangle 6,48 122,80 8,8 $(po) $(redraw) $(ctext "$SANSB" 30 "$WHITE" 64 75 'www')"
icon $I/WwwOFF.png 128 "$(g_globe "$GR3") $(punch) $(fl "$WHITE") roundrectangle 6,48 122,80 8,8 $(po) $(redraw) $(ctext "$SANSB" 30 "$GR2" 64 75 'www')"
icon $I/annuler.png 128 "$(g_cross "$RED" 16)"
icon $I/valider.png 128 "$(g_check "$GREEN" 16)"
icon $I/cadena.png 128 "$(g_lock "$WHITE" "$GR1")"
icon $I/user.png 128 "$(g_user "$WHITE")"
icon $I/dir.png 128 "$(g_folder "$BLUE" "$BLUED") $(at 0.44 36 46) $(g_monitor "$WHITE") $(po)"
icon $I/dir2.png 128 "$(g_folder "$GR2" "$GR3")"
icon $I/dirBlue.png 128 "$(g_folder "$BLUE" "$BLUED") $(at 0.5 32 44) $(g_check "$WHITE" 16) $(po)"
icon $I/upArrow.png 40 "$(fl "$WHITE") polygon 64,34 104,90 24,90 $(po)"
icon $I/downArrow.png 40 "$(fl "$WHITE") polygon 64,94 104,38 24,38 $(po)"
icon $I/erreur.png 128 "$(g_disc "$RED") $(at 0.8 13 13) $(g_cross "$WHITE" 16) $(po)"
icon $I/warning.png 128 "$(fl "$ORANGE") $(echo "path 'M 64 10 Q 70 10 73 16 L 122 106 Q 126 116 116 116 L 12 116 Q 2 116 6 106 L 55 16 Q 58 10 64 10 Z'") $(po) $(st "$DARK" 12) line 64,44 64,78 $(po) $(fl "$DARK") $(circ 64 98 7) $(po)"
icon $I/information.png 128 "$(g_disc "$BLUE") $(st "$WHITE" 14) line 64,56 64,96 $(po) $(fl "$WHITE") $(circ 64 34 9) $(po)"
icon $I/interrogation.png 128 "$(g_disc "$BLUE") $(st "$WHITE" 13) path 'M 44 46 A 20 20 0 1 1 72 64 Q 64 68 64 78 L 64 80' $(po) $(fl "$WHITE") $(circ 64 100 8) $(po)"
icon $I/film.png 128 "$(g_film "$WHITE")"
icon $I/playlist.png 128 "$(st "$WHITE" 10) line 14,26 112,26 line 14,54 112,54 line 14,82 56,82 line 14,110 56,110 $(po) $(fl "$BLUE") polygon 70,74 116,98 70,122 $(po)"
icon $I/update.png 128 "$(g_refresh "$BLUE")"
icon $I/web.png 128 "$(g_share "$WHITE") $(fl "$BLUE") $(circ 34 64 8) $(circ 92 30 8) $(circ 92 98 8) $(po)"
icon $I/Selectoff.png 128 "$(st "$GR2" 8) roundrectangle 18,18 110,110 14,14 $(po)"
icon $I/Selecton.png 128 "$(fl "$BLUE") roundrectangle 14,14 114,114 16,16 $(po) $(g_check "$WHITE" 14)"
icon $I/All.png 128 "$(st "$GR3" 7) roundrectangle 36,8 120,92 12,12 $(po) $(punch) $(fl "$WHITE") roundrectangle 2,30 96,124 16,16 $(po) $(redraw) $(st "$GR2" 8) roundrectangle 10,38 88,116 12,12 $(po)"
icon $I/All-blue.png 128 "$(st "$BLUEL" 7) roundrectangle 36,8 120,92 12,12 $(po) $(punch) $(fl "$WHITE") roundrectangle 2,30 96,124 16,16 $(po) $(redraw) $(fl "$BLUE") roundrectangle 8,36 90,118 14,14 $(po) $(at 0.66 5 33) $(g_check "$WHITE" 16) $(po)"


# ================================================================ images/Editer/ : poster editor tool bar
E=images/Editer
icon $E/BackPicture.png 128 "$(g_picture "$WHITE" "$YELLOW")"
icon $E/BackVideo.png 128 "$(at 0.9 -8 6) $(g_film "$WHITE") $(po) $(punch) $(fl "$WHITE") $(circ 92 92 33) $(po) $(redraw) $(fl "$BLUE") $(circ 92 92 27) $(po) $(at 0.42 67 65) $(g_play "$WHITE") $(po)"
icon $E/Chrono.png 128 "$(g_stopwatch "$WHITE" "$BLUE")"
icon $E/Fermer.png 128 "$(st "$RED" 10) roundrectangle 14,14 114,114 18,18 $(po) $(at 0.7 19 19) $(g_cross "$WHITE" 16) $(po)"
icon $E/Heure.png 128 "$(g_clock "$WHITE" "$BLUE")"
icon $E/Play.png 128 "$(g_disc "$GREEN") $(at 1 4 0) $(g_play "$WHITE") $(po)"
icon $E/Sauvegarder.png 128 "$(g_floppy "$WHITE" "$BLUE")"
icon $E/Supprimer.png 128 "$(g_trash "$WHITE")"
icon $E/calendrier.png 64 "$(g_calendar "$WHITE" "$BLUE")"
icon $E/text.png 128 "$(txt "$SANSB" 104 "$WHITE" 0 -8 'T') $(fl "$GREEN") $(circ 96 96 26) $(po) $(at 0.32 75 75) $(g_plus "$WHITE" 20) $(po)"
icon $E/textbold.png 128 "$(ctext "$SANSB" 112 "$WHITE" 64 106 'B')"
icon $E/textitalic.png 128 "$(ctext "$SERIFBI" 112 "$WHITE" 64 104 'I')"
icon $E/textunder.png 128 "$(ctext "$SANSB" 96 "$WHITE" 64 90 'U') $(st "$BLUE" 9) line 26,112 102,112 $(po)"
icon $E/textleft.png 128 "$(at 1 0 8) $(g_textlines "$WHITE" left) $(po)"
icon $E/textcenter.png 128 "$(at 1 0 8) $(g_textlines "$WHITE" center) $(po)"
icon $E/textright.png 128 "$(at 1 0 8) $(g_textlines "$WHITE" right) $(po)"
icon $E/textjustify.png 128 "$(at 1 0 8) $(g_textlines "$WHITE" justify) $(po)"

# ================================================================ images/Status/ : box status and commands
S=images/Status
disc_glyph() { # colour glyph-mvg : white glyph on a coloured disc (list indicators)
  echo "$(g_disc "$1" 60) $(at 0.62 24 24) $2 $(po)"
}
for state in ON OFF NULL; do
  case $state in ON) c=$GREEN ;; OFF) c=$RED ;; NULL) c=$GR3 ;; esac
  icon $S/BoxConnexion$state.png 64 "$(disc_glyph "$c" "$(g_link "$WHITE")")"
  icon $S/BoxEcran$state.png 64 "$(disc_glyph "$c" "$(g_monitor "$WHITE")")"
  icon $S/BoxMiseAJour$state.png 64 "$(disc_glyph "$c" "$(g_refresh "$WHITE")")"
done
icon $S/BackSystem.png 128 "$(st "$ORANGE" 10) $(arcpath 64 64 48 -60 200) $(po) $(fl "$ORANGE") $(archead 64 64 48 -66 18 -1) $(po) $(at 0.46 35 36) $(g_box "$GR1" "$WHITE" "$GR2") $(po)"
icon $S/BoxClose.png 128 "$(g_box "$GR2" "$GR1" "$GR3") $(st "$DARK" 6) line 38,58 38,96 $(po)"
icon $S/BoxHdmiOFF.png 128 "$(g_monitor "$GR1") $(st "$RED" 10) line 36,34 92,74 line 92,34 36,74 $(po)"
icon $S/BoxHeure.png 128 "$(g_clock "$ORANGE" "$WHITE")"
icon $S/BoxOK.png 128 "$(g_disc "$GREEN") $(at 0.8 13 13) $(g_check "$WHITE" 16) $(po)"
icon $S/BoxPowerOFF.png 128 "$(g_monitor "$GR1") $(at 0.42 37 11) $(g_power "$RED" 14) $(po)"
icon $S/BoxUpdate.png 128 "$(g_refresh "$BLUE") $(at 0.36 41 41) $(g_download "$WHITE" "$WHITE") $(po)"
icon $S/Reboot.png 128 "$(st "$WHITE" 10) $(arcpath 64 64 50 -50 250) $(po) $(fl "$WHITE") $(archead 64 64 50 -50 18 -1) $(po) $(at 0.5 32 32) $(g_power "$ORANGE" 14) $(po)"
icon $S/StopHdmi.png 128 "$(g_monitor "$WHITE") $(punch) $(fl "$WHITE") $(circ 92 90 36) $(po) $(redraw) $(at 0.5 60 58) $(g_stop "$RED") $(po)"
icon $S/UpdateSystem.png 128 "$(g_download "$BLUE" "$WHITE")"

# ================================================================ images/ : screen layouts (orientation page)
# land/port ZONES : a screen outline with its zones numbered; 256 x 160 or 160 x 256 pixels.
layout() {
  local file=$1 orient=$2 n=$3 w h sx sy sw sh i m=""
  if [ "$orient" = land ]; then w=256; h=160; sx=12; sy=12; sw=232; sh=130; else w=160; h=256; sx=15; sy=12; sw=130; sh=232; fi
  m="$(fl "$GR1") roundrectangle $((sx-6)),$((sy-6)) $((sx+sw+6)),$((sy+sh+6)) 8,8 $(po)"
  [ "$orient" = land ] && m="$m $(fl "$GR1") polygon 118,$((sy+sh+6)) 138,$((sy+sh+6)) 142,156 114,156 $(po)"
  for ((i = 0; i < n; i++)); do
    local x0 y0 x1 y1 c
    if [ "$orient" = land ]; then x0=$((sx + sw * i / n)); x1=$((sx + sw * (i + 1) / n)); y0=$sy; y1=$((sy + sh));
    else y0=$((sy + sh * i / n)); y1=$((sy + sh * (i + 1) / n)); x0=$sx; x1=$((sx + sw)); fi
    if [ $((i % 2)) -eq 0 ]; then c=$BLUE; else c=$BLUED; fi
    m="$m $(fl "$c") rectangle $x0,$y0 $x1,$y1 $(po)"
    [ "$i" -gt 0 ] && m="$m $(st "$WHITE" 3) line $x0,$y0 $([ "$orient" = land ] && echo "$x0,$y1" || echo "$x1,$y0") $(po)"
    local fs=$(( n == 1 ? 64 : (n == 2 ? 48 : 40) ))
    m="$m $(ctext "$LATOBK" "$fs" "$WHITE" $(( (x0 + x1) / 2 )) $(( (y0 + y1) / 2 + fs * 36 / 100 )) $((i + 1)))"
  done
  pic "$file" "$w" "$h" 4 xc:none "$m"
}
layout $I/Paysage.png land 1
layout $I/Paysage-2Ecrans.png land 2
layout $I/Paysage-3Ecrans.png land 3
layout $I/Portrait.png port 1
layout $I/Portrait-2Ecrans.png port 2
layout $I/Portrait-3Ecrans.png port 3

# ================================================================ backgrounds, button skin, logos
# paint_background W H DST GX GY STREAKS : dark blue-black gradient, soft blue glow at (GX,GY)
# (fractions of the size), optional faint diagonal streaks.  DST is a full path; .jpg gets a
# touch of noise against banding.
paint_background() {
  local w=$1 h=$2 dst=$3 gx=$4 gy=$5 streaks=$6
  local sw=$((w / 4)) sh=$((h / 4))   # drawn small and smooth, then enlarged: no banding, small files
  local gw=$(( (sw > sh ? sw : sh) * 3 / 2 )) gxp gyp
  gxp=$(awk -v a="$gx" -v w="$sw" -v g="$gw" 'BEGIN{printf "%d", a*w - g/2}')
  gyp=$(awk -v a="$gy" -v h="$sh" -v g="$gw" 'BEGIN{printf "%d", a*h - g/2}')
  local draw=()
  if [ "$streaks" = yes ]; then
    draw=(-draw "fill rgba(0,128,255,0.05) polygon $((sw*55/100)),0 $((sw*70/100)),0 $((sw*45/100)),$sh $((sw*30/100)),$sh
                 fill rgba(0,128,255,0.04) polygon $((sw*74/100)),0 $((sw*78/100)),0 $((sw*53/100)),$sh $((sw*49/100)),$sh
                 fill rgba(255,255,255,0.025) polygon $((sw*82/100)),0 $((sw*95/100)),0 $((sw*70/100)),$sh $((sw*57/100)),$sh")
  fi
  local fmt="PNG24:" opts=("${PNGOPT[@]}") noise=()
  case "$dst" in *.jpg) fmt="JPG:"; opts=("${JPGOPT[@]}"); noise=(-seed 7 -attenuate 0.25 +noise Uniform) ;; esac
  "$CONVERT" -size "${sw}x${sh}" gradient:'rgb(10,22,40)-rgb(1,3,7)' \
    \( -size "${gw}x${gw}" radial-gradient:'rgba(0,128,255,0.24)-rgba(0,128,255,0)' \) -geometry "+${gxp}+${gyp}" -compose over -composite \
    \( -size "${gw}x${gw}" radial-gradient:'rgba(0,90,200,0.12)-rgba(0,90,200,0)' \) -geometry "+$((sw - gw / 2))+$((sh - gw / 3))" -compose over -composite \
    "${draw[@]}" -blur 0x2 -filter Lanczos -resize "${w}x${h}!" "${noise[@]}" "${opts[@]}" "$fmt$dst"
}
background() { # W H FILE GX GY STREAKS
  paint_background "$1" "$2" "$(out_path "$3")" "$4" "$5" "$6"
  COUNT=$((COUNT + 1))
}
# scene FILE W H GX GY MVG... : the background with a drawing over it (drawing units = output pixels)
scene() {
  local file=$1 w=$2 h=$3 gx=$4 gy=$5; shift 5
  local dst; dst=$(out_path "$file")
  local tmp; tmp=$(mktemp -d)
  paint_background "$w" "$h" "$tmp/bg.png" "$gx" "$gy" no
  "$CONVERT" -size "$((w * 2))x$((h * 2))" xc:none -draw "affine 2 0 0 2 0 0
$*" -filter Box -resize "${w}x${h}!" "$tmp/fg.png"
  local fmt="PNG24:" opts=("${PNGOPT[@]}") noise=()
  case "$file" in *.jpg) fmt="JPG:"; opts=("${JPGOPT[@]}"); noise=(-seed 7 -attenuate 0.2 +noise Uniform) ;; esac
  "$CONVERT" "$tmp/bg.png" "${noise[@]}" "$tmp/fg.png" -compose over -composite "${opts[@]}" "$fmt$dst"
  rm -rf "$tmp"
  COUNT=$((COUNT + 1))
}
background 1920 1080 $I/Background.jpg 0.22 0.18 yes
background 1920 1080 $I/BackgroundColor.jpg 0.8 0.1 no
background 640 360 $I/BackgroundMessage.png 0.5 0.0 no

# Dialog background (translucent, blue rim), scaled to the dialog.
dst=$(out_path $I/Background-box.png)
"$CONVERT" -size 800x500 gradient:'rgb(248,250,253)-rgb(206,216,230)' \
  \( -size 800x500 xc:none -draw "fill white roundrectangle 0,0 799,499 18,18" \) -compose CopyOpacity -composite \
  -channel A -evaluate multiply 0.94 +channel \
  -draw "fill none stroke rgb(0,128,255) stroke-width 3 roundrectangle 2,2 797,497 16,16" \
  "${PNGOPT[@]}" "PNG32:$dst"; COUNT=$((COUNT + 1))

# Pressed tool button skin (border-image 3 10 3 10).
dst=$(out_path $I/Button-Pressed.png)
"$CONVERT" -size 64x32 gradient:'rgb(40,160,255)-rgb(0,84,190)' \
  \( -size 64x32 xc:none -draw "fill white roundrectangle 0,0 63,31 6,6" \) -compose CopyOpacity -composite \
  -draw "fill none stroke rgba(255,255,255,0.55) stroke-width 1 roundrectangle 0.5,0.5 62.5,30.5 6,6" \
  "${PNGOPT[@]}" "PNG32:$dst"; COUNT=$((COUNT + 1))

# The brand mark: a blue rounded square holding a white "screen with play" sign.
g_mark() {
  fl "$BLUE"; echo "roundrectangle 4,4 124,124 26,26"; po
  st "$WHITE" 9; echo "roundrectangle 24,32 104,88 6,6 line 48,104 80,104"; po
  fl "$WHITE"; echo "polygon 54,44 80,60 54,76"; po
}
pic $I/LogoOrvex.png 600 160 4 xc:none "$(at 1 12 16) $(g_mark) $(po) $(ltext "$LATOBK" 112 "$WHITE" 164 119 'ORVEX')"
pic $I/LogoOrvex2.png 800 400 4 xc:none "$(at 1.4 310 8) $(g_mark) $(po) $(ctext "$LATOBK" 110 "$WHITE" 400 302 'ORVEX') $(ctext "$LATOL" 40 "$BLUEL" 400 362 'ZoManager')"

# ================================================================ img/ : player preview
zoplayer_mvg() { # SCALE (1 for 1280 x 720)
  echo "$(at "$1" 0 0) $(at 1.4 550 200) $(g_mark) $(po) $(ctext "$LATOBK" 84 "$WHITE" 640 470 'ZoPlayer') $(po)"
}
scene img/zoplayer.jpg 1280 720 0.5 0.45 "$(zoplayer_mvg 1)"
scene img/zoplayer.png 960 540 0.5 0.45 "$(zoplayer_mvg 0.75)"
# Status badges of the preview scene (50 x 50 on top of the picture).
icon img/Wait.png 64 "$(g_disc "$ORANGE" 60) $(at 0.6 26 26) $(g_hourglass "$WHITE" "$WHITE") $(po)"
icon img/Finish.png 64 "$(g_disc "$GREEN" 60) $(at 0.7 19 19) $(g_check "$WHITE" 16) $(po)"
icon img/Update.png 64 "$(g_disc "$BLUE" 60) $(at 0.66 22 22) $(g_refresh "$WHITE") $(po)"

# ================================================================ weather glyphs (qml/icons and the weather preview)
CLOUD_W=$WHITE; CLOUD_O='rgb(150,160,175)'; CLOUD_D='rgb(120,130,146)'; CLOUD_DO='rgb(70,78,92)'
RAIN='rgb(60,160,255)'; SNOW='rgb(190,225,255)'
w_sun() { g_sun "$YELLOW"; }
w_moon() { at 0.9 8 6; g_moon 'rgb(225,230,245)'; po; }
w_cloud() { g_cloud "$CLOUD_W" "$CLOUD_O"; }
w_cloud_dark() { g_cloud "$CLOUD_D" "$CLOUD_DO"; }
w_small_sky() { # d|n : sun or moon in the top left corner
  if [ "$1" = d ]; then at 0.62 -2 -4; w_sun; po; else at 0.6 2 0; w_moon; po; fi
}
w_rain() { st "$RAIN" 7; echo "line 44,100 38,118 line 64,100 58,118 line 84,100 78,118"; po; }
w_snow() {
  st "$SNOW" 5; local x
  for x in 42 64 86; do echo "line $x,100 $x,122 line $((x-10)),106 $((x+10)),116 line $((x-10)),116 $((x+10)),106"; done
  po
}
w_bolt() { fl "$YELLOW"; echo "polygon 70,82 48,112 62,112 54,128 84,96 68,96 78,82"; po; }
# weather CODE-PREFIX d|n : the picture of an OpenWeatherMap icon code
weather() {
  local c=$1 dn=$2
  case $c in
    01) if [ "$dn" = d ]; then w_sun; else w_moon; fi ;;
    02) w_small_sky "$dn"; at 0.84 18 22; w_cloud; po ;;
    03) at 1 0 -8; w_cloud; po ;;
    04) at 0.7 38 0; w_cloud_dark; po; at 0.82 0 22; w_cloud; po ;;
    09) at 0.66 42 -10; w_cloud_dark; po; at 0.86 2 -2; w_cloud; po; w_rain ;;
    10) w_small_sky "$dn"; at 0.8 22 4; w_cloud; po; at 1 6 0; w_rain; po ;;
    11) at 0.95 2 -16; w_cloud_dark; po; w_bolt ;;
    13) at 0.95 2 -16; w_cloud; po; w_snow ;;
    50) if [ "$dn" = d ]; then at 0.5 32 -8; w_sun; po; else at 0.5 32 -6; w_moon; po; fi
        st 'rgb(190,198,210)' 9; echo "line 14,70 114,70 line 26,88 102,88 line 14,106 114,106"; po ;;
  esac
}
Q=qml/icons
for c in 01 02 03 04 09 10 11 13 50; do
  for dn in d n; do icon "$Q/$c$dn.png" 128 "$(weather $c $dn)"; done
done
# Small pictures for the weather details.
icon $Q/sunrise.png 64 "$(at 0.8 13 30) $(g_sun "$YELLOW") $(po) $(punch) $(fl "$WHITE") rectangle 0,84 128,128 $(po) $(redraw) $(st "$GR1" 8) line 8,90 120,90 $(po) $(st "$WHITE" 8) line 64,122 64,100 polyline 54,110 64,100 74,110 $(po)"
icon $Q/sunset.png 64 "$(at 0.8 13 30) $(g_sun "$ORANGE") $(po) $(punch) $(fl "$WHITE") rectangle 0,84 128,128 $(po) $(redraw) $(st "$GR1" 8) line 8,90 120,90 $(po) $(st "$WHITE" 8) line 64,98 64,120 polyline 54,110 64,120 74,110 $(po)"
icon $Q/humidity.png 64 "$(g_drop "$RAIN")"
icon $Q/pressure.png 64 "$(st "$WHITE" 9) $(arcpath 64 72 48 150 390) $(po) $(st "$BLUE" 9) line 64,72 92,44 $(po) $(fl "$WHITE") $(circ 64 72 8) $(po)"
icon $Q/wind.png 64 "$(st "$WHITE" 9) path 'M 12 50 L 80 50 A 16 16 0 1 0 64 34' path 'M 12 74 L 96 74 A 16 16 0 1 1 80 90' path 'M 12 98 L 56 98' $(po)"

# ================================================================ qml/horloge : clock face and hands
# All five pictures are 400 x 400 with the pivot at the centre (200,200); the hands point at 12
# o'clock, so a scene stacks them and rotates each about its centre.
clock_face() { # face ticks accent
  fl "$1"; circ 200 200 192; po
  st "$3" 6; circ 200 200 186; po
  local i
  for ((i = 0; i < 60; i++)); do
    rot $((i * 6)) 200 200
    if [ $((i % 5)) -eq 0 ]; then
      if [ $i -eq 0 ]; then st "$3" 14; else st "$2" 12; fi; echo "line 200,30 200,64"
    else st "$2" 4; echo "line 200,32 200,44"; fi
    po; po
  done
}
hand_hour()   { st "$WHITE" 22; echo "line 200,226 200,98"; po; st "$1" 14; echo "line 200,226 200,98"; po; }
hand_minute() { st "$WHITE" 18; echo "line 200,230 200,52"; po; st "$1" 10; echo "line 200,230 200,52"; po; }
hand_second() { st "$RED" 4; echo "line 200,244 200,44"; po; fl "$RED"; circ 200 200 9; po; }
hand_center() { fl "$DARK"; circ 200 200 13; po; fl "$RED"; circ 200 200 5; po; }
H=qml/horloge
HANDC='rgb(32,40,54)'
pic $H/clock.png 400 400 2 xc:none "$(clock_face "$WHITE" "$HANDC" "$BLUE")"
pic $H/clock-night.png 400 400 2 xc:none "$(clock_face 'rgb(16,28,46)' "$WHITE" "$BLUE")"
pic $H/hour.png 400 400 2 xc:none "$(hand_hour "$HANDC")"
pic $H/minute.png 400 400 2 xc:none "$(hand_minute "$HANDC")"
pic $H/second.png 400 400 2 xc:none "$(hand_second)"
pic $H/center.png 400 400 2 xc:none "$(hand_center)"

# ================================================================ qml/content/images : news scene
C=qml/content/images
icon $C/busy.png 64 "$(st 'rgba(255,255,255,0.25)' 12) $(circ 64 64 46) $(po) $(st "$BLUE" 12) $(arcpath 64 64 46 -90 150) $(po)"
pic $C/scrollbar.png 16 64 4 xc:none "$(fl 'rgba(0,128,255,0.85)') roundrectangle 2,2 14,62 6,6 $(po)"
pic $C/noimage.png 160 120 4 xc:none "$(fl 'rgb(28,40,58)') roundrectangle 0,0 160,120 10,10 $(po) $(at 0.62 40 22) $(g_picture "$GR2" "$GR2") $(po)"
icon $C/rss.png 64 "$(fl "$ORANGE") roundrectangle 8,8 120,120 22,22 $(po) $(at 0.7 14 10) $(g_rss "$WHITE") $(po)"

# ================================================================ qml/facebook : like counter
FB=qml/facebook
icon $FB/like.png 128 "$(g_disc "$BLUE" 60) $(at 0.6 24 22) $(g_thumb "$WHITE") $(po)"
icon $FB/logo.png 128 "$(fl "$BLUE") roundrectangle 10,10 118,118 22,22 $(po) $(txt "$SANSB" 96 "$WHITE" 46 14 'f')"

# ================================================================ images/ : widget previews (JPEG)
# Weather widget preview.
meteo_mvg() { # land|port
  local m cell="" i days=(Lun Mar Mer Jeu) icons=("02 d" "10 d" "01 d" "03 d") temps=("12/21°" "10/16°" "13/23°" "11/19°")
  if [ "$1" = land ]; then
    m="$(txt "$LATOB" 34 "$WHITE" 40 22 'Paris') $(at 1.35 30 62) $(weather 02 d) $(po)"
    m="$m $(txt "$LATOBK" 104 "$WHITE" 232 66 '21°') $(txt "$LATO" 28 "$GR1" 240 186 'Partiellement nuageux')"
    for i in 0 1 2 3; do
      local x=$((40 + i * 145))
      cell="$cell $(fl 'rgba(255,255,255,0.08)') roundrectangle $x,240 $((x + 130)),340 10,10 $(po)"
      cell="$cell $(txt "$LATOB" 22 "$WHITE" $((x + 12)) 252 "${days[i]}") $(at 0.42 $((x + 70)) 250) $(weather ${icons[i]}) $(po)"
      cell="$cell $(txt "$LATO" 22 "$GR1" $((x + 12)) 300 "${temps[i]}")"
    done
  else
    m="$(ctext "$LATOB" 40 "$WHITE" 180 70 'Paris') $(at 1.6 78 90) $(weather 02 d) $(po)"
    m="$m $(ctext "$LATOBK" 110 "$WHITE" 186 400 '21°') $(ctext "$LATO" 26 "$GR1" 180 445 'Partiellement nuageux')"
    for i in 0 1 2 3; do
      local x=$((14 + i * 84))
      cell="$cell $(fl 'rgba(255,255,255,0.08)') roundrectangle $x,480 $((x + 76)),610 10,10 $(po)"
      cell="$cell $(ctext "$LATOB" 20 "$WHITE" $((x + 38)) 508 "${days[i]}") $(at 0.42 $((x + 11)) 516) $(weather ${icons[i]}) $(po)"
      cell="$cell $(ctext "$LATO" 16 "$GR1" $((x + 38)) 596 "${temps[i]}")"
    done
  fi
  echo "$m $cell"
}
scene $I/Meteo-Paysage.jpg 640 360 0.2 0.2 "$(meteo_mvg land)"
scene $I/Meteo-Portrait.jpg 360 640 0.5 0.15 "$(meteo_mvg port)"

# Clock widget preview (10:08).
clock_at() { # SCALE TX TY
  echo "$(at "$1" "$2" "$3") $(clock_face "$WHITE" "$HANDC" "$BLUE") $(rot 304 200 200) $(hand_hour "$HANDC") $(po) $(rot 48 200 200) $(hand_minute "$HANDC") $(po) $(rot 200 200 200) $(hand_second) $(po) $(hand_center) $(po)"
}
scene $I/HORLOGE-Paysage.jpg 640 360 0.25 0.5 "$(clock_at 0.7 40 40) $(ctext "$LATOBK" 96 "$WHITE" 460 200 '10:08') $(ctext "$LATO" 28 "$GR1" 460 250 'Lundi 14 mars') $(ctext "$LATOL" 24 "$BLUEL" 460 290 'Paris')"
scene $I/HORLOGE-Portrait.jpg 360 640 0.5 0.3 "$(clock_at 0.75 30 70) $(ctext "$LATOBK" 96 "$WHITE" 180 480 '10:08') $(ctext "$LATO" 28 "$GR1" 180 530 'Lundi 14 mars') $(ctext "$LATOL" 24 "$BLUEL" 180 570 'Paris')"

# RSS widget preview: a channel header and news items.
rss_mvg() { # land|port
  local titles=("Ouverture du nouveau magasin" "Les promotions de la semaine" "Un concert gratuit samedi" "La météo du week-end" "Nouveaux horaires en juin")
  local m
  m="$(fl 'rgba(0,0,0,0.35)') rectangle 0,0 $2,64 $(po) $(at 0.36 14 9) $(fl "$ORANGE") roundrectangle 8,8 120,120 22,22 $(po) $(at 0.7 14 10) $(g_rss "$WHITE") $(po) $(po)"
  m="$m $(txt "$LATOB" 30 "$WHITE" 74 14 'Actualités')"
  local n=3 ih=96 tw=140 fs=22 i
  [ "$1" = port ] && { n=5; ih=112; tw=96; fs=19; }
  for ((i = 0; i < n; i++)); do
    local y=$((80 + i * ih))
    m="$m $(fl 'rgba(255,255,255,0.06)') roundrectangle 12,$y $(( $2 - 12 )),$((y + ih - 12)) 8,8 $(po)"
    m="$m $(fl 'rgb(30,60,100)') roundrectangle 20,$((y + 8)) $((20 + tw)),$((y + ih - 20)) 6,6 $(po)"
    m="$m $(at "$(awk -v t="$tw" 'BEGIN{printf "%.3f", t/260}')" $((20 + tw / 4)) $((y + 10))) $(g_picture "$BLUEL" "$YELLOW") $(po)"
    local tx=$((20 + tw + 14))
    if [ "$1" = port ]; then
      local t=${titles[i]}
      m="$m $(txt "$LATOB" "$fs" "$WHITE" "$tx" $((y + 8)) "${t% *}") $(txt "$LATOB" "$fs" "$WHITE" "$tx" $((y + 8 + fs + 4)) "${t##* }")"
      m="$m $(fl "$GR3") roundrectangle $tx,$((y + 66)) $(( $2 - 26 )),$((y + 74)) 4,4 $(po)"
    else
      m="$m $(txt "$LATOB" "$fs" "$WHITE" "$tx" $((y + 8)) "${titles[i]}")"
      m="$m $(fl "$GR3") roundrectangle $tx,$((y + 44)) $(( $2 - 30 )),$((y + 51)) 4,4 roundrectangle $tx,$((y + 60)) $(( $2 - 120 )),$((y + 67)) 4,4 $(po)"
    fi
  done
  echo "$m"
}
scene $I/RSS-Paysage.jpg 640 360 0.8 0.2 "$(rss_mvg land 640)"
scene $I/RSS-Portrait.jpg 360 640 0.8 0.1 "$(rss_mvg port 360)"

# Web application (touch) widget preview: a browser page.
webapp_mvg() { # W H
  local w=$1 h=$2 m
  m="$(fl 'rgb(230,234,240)') roundrectangle 16,16 $((w - 16)),$((h - 16)) 10,10 $(po)"
  m="$m $(fl 'rgb(52,60,74)') roundrectangle 16,16 $((w - 16)),56 10,10 rectangle 16,40 $((w - 16)),56 $(po)"
  m="$m $(fl "$RED") $(circ 36 36 6) $(po) $(fl "$ORANGE") $(circ 56 36 6) $(po) $(fl "$GREEN") $(circ 76 36 6) $(po)"
  m="$m $(fl 'rgb(240,242,246)') roundrectangle 96,26 $((w - 30)),46 10,10 $(po) $(txt "$LATO" 14 "$GR3" 108 28 'https://www.exemple.fr')"
  local hh=$(( (h - 56) * 38 / 100 ))
  m="$m $(fl "$BLUE") rectangle 16,56 $((w - 16)),$((56 + hh)) $(po)"
  m="$m $(ctext "$LATOBK" $(( w > h ? 40 : 32 )) "$WHITE" $((w / 2)) $((56 + hh / 2 + 6)) 'Bienvenue') $(ctext "$LATO" 16 "$WHITE" $((w / 2)) $((56 + hh / 2 + 34)) 'Touchez pour découvrir')"
  local cols=3 rows=1 i j
  [ $h -gt $w ] && { cols=2; rows=2; }
  local cy=$((56 + hh + 16))
  local cw=$(( (w - 32 - 16 * (cols + 1)) / cols )) ch=$(( (h - 16 - cy - 16 * rows) / rows ))
  for ((j = 0; j < rows; j++)); do for ((i = 0; i < cols; i++)); do
    local x=$((32 + i * (cw + 16))) y=$((cy + j * (ch + 16)))
    m="$m $(fl "$WHITE") roundrectangle $x,$y $((x + cw)),$((y + ch)) 8,8 $(po)"
    m="$m $(fl 'rgb(180,205,235)') roundrectangle $((x + 10)),$((y + 10)) $((x + cw - 10)),$((y + ch * 55 / 100)) 6,6 $(po)"
    m="$m $(fl 'rgb(170,176,186)') roundrectangle $((x + 10)),$((y + ch * 66 / 100)) $((x + cw - 20)),$((y + ch * 66 / 100 + 8)) 4,4 roundrectangle $((x + 10)),$((y + ch * 80 / 100)) $((x + cw * 60 / 100)),$((y + ch * 80 / 100 + 8)) 4,4 $(po)"
  done; done
  m="$m $(at 0.8 $((w - 120)) $((h - 120))) $(fl 'rgba(0,0,0,0.55)') $(circ 64 64 62) $(po) $(g_touch "$WHITE" "$BLUEL") $(po)"
  echo "$m"
}
scene $I/WEBAPP-Paysage.jpg 640 360 0.5 0.5 "$(webapp_mvg 640 360)"
scene $I/WEBAPP-Portrait.jpg 360 640 0.5 0.5 "$(webapp_mvg 360 640)"

# ================================================================ resources.qrc
{
  echo '<!DOCTYPE RCC>'
  echo '<!-- Written by tools/gen_resources.sh: every picture of this folder, reachable as ":/<path>". -->'
  echo '<RCC version="1.0">'
  echo '<qresource prefix="/">'
  sort -u "$MANIFEST" | sed 's|.*|    <file>&</file>|'
  echo '</qresource>'
  echo '</RCC>'
} >"$OUT/resources.qrc"

echo "gen_resources: $COUNT pictures written under $OUT ($(du -sh --exclude=resources.qrc --exclude=CMakeLists.txt "$OUT" | cut -f1)), resources.qrc updated"

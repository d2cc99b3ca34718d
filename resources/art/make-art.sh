#!/usr/bin/env bash
# Draws the button pictures and the version artwork of Ruvex.exe with ImageMagick. The generated files are
# committed; run this again only to change them. Magenta is the transparent colour of the button pictures.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
font=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf

button() { # number, then ImageMagick drawing arguments
    local n=$1
    shift
    convert -size 12x12 xc:magenta +antialias "$@" -type truecolor "BMP3:button$(printf %02d "$n").bmp"
}

doc=(-fill white -stroke '#404040' -draw 'polygon 1,0 7,0 10,3 10,11 1,11')
button 1 -fill '#3060c0' -stroke '#203070' -draw 'roundrectangle 0,3 11,10 1,1' -fill white -stroke none \
    -draw 'circle 6,6 8,6' -fill '#3060c0' -draw 'rectangle 2,1 5,3'
button 2 -fill none -stroke '#205090' -strokewidth 2 -draw 'circle 4,4 7,4' -draw 'line 7,7 11,11'
button 3 -stroke '#c02020' -strokewidth 2 -draw 'line 1,1 10,10' -draw 'line 10,1 1,10'
button 4 -fill '#8a5a2a' -stroke '#5a3a1a' -draw 'rectangle 2,0 9,11' -fill '#f0d040' -stroke none \
    -draw 'rectangle 7,5 8,6'
button 5 -fill '#2a70d0' -stroke none -draw 'circle 5.5,5.5 5.5,0' -fill white -draw 'rectangle 5,8 6,9' \
    -draw 'rectangle 5,5 6,6' -draw 'rectangle 3,2 8,3' -draw 'rectangle 7,3 8,5'
button 6 -fill '#2a70d0' -stroke none -draw 'circle 5.5,5.5 5.5,0' -fill white -draw 'rectangle 5,2 6,3' \
    -draw 'rectangle 5,5 6,9'
button 7 -fill '#808080' -stroke '#404040' -draw 'circle 5.5,5.5 5.5,0.5' -fill magenta -draw 'circle 5.5,5.5 5.5,3.5' \
    -fill '#404040' -stroke none -draw 'rectangle 5,0 6,1' -draw 'rectangle 5,10 6,11' -draw 'rectangle 0,5 1,6' \
    -draw 'rectangle 10,5 11,6'
button 8 -fill '#20a040' -stroke none -draw 'rectangle 4,0 7,11' -draw 'rectangle 0,4 11,7'
button 9 "${doc[@]}" -fill '#20a040' -stroke none -draw 'rectangle 6,6 11,7' -draw 'rectangle 8,4 9,9' \
    -draw 'rectangle 6,6 11,7'
button 10 "${doc[@]}" -fill '#c02020' -stroke none -draw 'rectangle 5,7 11,8'
button 11 -stroke '#e08020' -strokewidth 3 -draw 'line 2,9 9,2' -stroke '#404040' -strokewidth 1 -draw 'line 0,11 2,9'
button 12 -fill '#d0a060' -stroke '#806030' -draw 'rectangle 0,3 9,11' -fill '#c02020' -stroke none \
    -draw 'rectangle 5,0 11,2'
button 13 -fill '#909090' -stroke '#404040' -draw 'rectangle 2,3 9,11' -draw 'line 0,2 11,2' -draw 'rectangle 4,0 7,1' \
    -draw 'line 4,5 4,9' -draw 'line 7,5 7,9'
button 14 -fill none -stroke '#20a040' -strokewidth 2 -draw 'arc 1,1 10,10 30,300' -fill '#20a040' -stroke none \
    -draw 'polygon 7,0 11,2 8,5'
button 15 "${doc[@]}" -stroke '#3060c0' -draw 'line 3,4 8,4' -draw 'line 3,6 8,6' -draw 'line 3,8 8,8'

# The version picture: the product's name over a gradient, and two offset frames for the two snapshots.
convert -size 360x220 gradient:'#1c2f5c'-'#2d7f8f' \
    -fill none -stroke '#ffffff50' -strokewidth 2 -draw 'roundrectangle 230,40 320,120 6,6' \
    -stroke '#ffffffa0' -draw 'roundrectangle 250,60 340,140 6,6' \
    -font "$font" -fill white -stroke none -pointsize 44 -annotate +28+92 'Ruvex' \
    -pointsize 20 -annotate +30+126 'ｱﾝｲﾝｽﾄｰﾗｰ' \
    -pointsize 13 -fill '#d8e8f0' -annotate +30+160 'スナップショットで見つけて、きれいに削除' \
    -type truecolor BMP3:version.bmp

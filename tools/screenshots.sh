#!/usr/bin/env bash
# tools/screenshots.sh — renders each calculator's window after a sample
# calculation to docs/screenshots/NAME.png (and the README's marked box and
# 保温設計's record), on an Xvfb display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
milfo_install_packages
milfo_build build milfo-screenshot

display=""
for n in $(seq 121 150); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

# program | driver commands, separated by ";"
samples='
pimbrel|pick Combo1 保温板１号;set Text1 0;set Text2 100;click Command1
mostrel|pick Combo1 ウール２号;set Text1 10;set Text2 100;click Command1
nethrow|pick Combo1 ブランケット１号;set Text1 200;set Text2 800;click Command1
dovrin|pick Combo1 １号－１３;set Text1 0;set Text2 300;click Command1
sonderly|pick Combo1 保温板(筒)３号－２５;set Text1 20;set Text2 300;click Command1
tarvel|pick Combo1 ビーズ法保温板特号;set Text1 0;set Text2 50;click Command1
halcott|set Text1 20;set Text2 80;click Command1
fennick|pick Combo1 保温筒１種;set Text1 0;set Text2 50;click Command1
castrel|pick Combo1 保温板１種１号;set Text1 0;set Text2 100;click Command1
係数指定|set Text4 0.035;set Text5 0.00012;set Text6 3E-7;set Text7 -50;set Text8 650;set Text1 40;set Text2 500;click Command1
熱伝達率|set Text1 20;set Text2 50;set Text4 0.1;set Text5 0.05;pick Combo1 仕上げセメント、布類;click Command1
放散熱量|set Text1 0.05;set Text2 300;set Text4 20;set Text5 10;set Text6 0.1;set Text7 0.1143;set Text8 0.3143;click Command1;click Command2
yardow|set Text1 40;set Text2 20;set Text3 10;set Text8 0.3143;click Command1;click Command2
ravelt|set Text1 0.05;set Text2 300;set Text3 40;set Text4 20;set Text5 10;set Text7 0.1143;click Command1;click Command2
表面温度|set Text1 20;set Text2 200;set Text3 10;set Text8 0.3143;click Command1;click Command2
lorvast|set Text1 20;set Text4 50;click Command1
保温設計|pick Combo1 ロックウール;pick Combo2 保温板１号;set Text1 300;set Text2 20;pick Combo3 アルミニウム板;pick Combo4 水平管;pick Combo5 100A;pick Combo6 表面温度上限;click Command1
凍結防止|set Text1 5;set Text2 -10;pick Combo2 25A;pick Combo1 鋼管;set Text6 0.02;set Text7 0.04;set Text8 8;set Text9 25;click Command1
複層保温|pick Combo1 水平管;pick Combo2 100A;set Text2 550;set Text3 20;pick Combo3 アルミニウム板;pick Combo4 けい酸カルシウム保温材;pick Combo5 １号－１３;set Text6 50;pick Combo6 ロックウール;pick Combo7 保温筒;set Text7 75;click Command1
温度降下|set Text1 150;set Text2 10;set Text3 2000;set Text4 4.19;set Text5 100;pick Combo1 100A;set Text7 0.05;set Text8 0.05;set Text9 8;click Command1
'
# 保温設計 over an inner layer: the README's example.
samples+='保温設計-内層|pick Combo1 ロックウール;pick Combo2 保温筒;pick Combo8 けい酸カルシウム保温材;pick Combo9 １号－１３;set Text38 50;set Text1 550;set Text2 20;pick Combo3 アルミニウム板;pick Combo4 水平管;pick Combo5 100A;pick Combo6 表面温度上限;click Command1
'
# The README's box read otherwise than as typed: "12abc" read as 12, marked.
samples+='fennick-12abc|pick Combo1 保温筒１種;set Text1 12abc;set Text2 50;click Command1'
# 保温設計's record in its own window, after the sample design.
samples+=$'\n''保温設計-記録|pick Combo1 ロックウール;pick Combo2 保温板１号;set Text1 300;set Text2 20;pick Combo3 アルミニウム板;pick Combo4 水平管;pick Combo5 100A;pick Combo6 表面温度上限;click Command1;record'

mkdir -p docs/screenshots
while IFS='|' read -r name commands; do
  [ -n "$name" ] || continue
  tr ';' '\n' <<<"$commands" | DISPLAY=$display build/tools/milfo-screenshot "${name%%-*}" "docs/screenshots/$name.png" 2>/dev/null
  echo "docs/screenshots/$name.png"
done <<<"$samples"

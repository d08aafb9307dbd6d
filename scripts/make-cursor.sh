#!/usr/bin/env bash
# Turns the hand-drawn cursor bitmap (resources/hand-cursor.xpm, 32 x 32, hot spot 5,0) into
# the Windows cursor file the resource script builds in (resources/hand.cur). The result is
# committed; run this again only after changing the bitmap.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
perl -e '
  local $/; my $xpm = <STDIN>;
  my @rows = $xpm =~ /"([^"]*)"/g;
  my ($w, $h, $colours, $cpp, $hx, $hy) = split / /, shift @rows;
  die "a 32 x 32 bitmap, one character a pixel\n" unless $w == 32 && $h == 32 && $cpp == 1;
  my %kind;  # "t" transparent, "b" black, "w" white
  for (splice @rows, 0, $colours) {
    my ($char, $value) = /^(.) c (\S+)/ or die "colour line: $_\n";
    $kind{$char} = $value eq "None" ? "t" : hex(substr $value, 1) ? "w" : "b";
  }
  my ($xor, $and) = ("", "");
  for my $row (reverse @rows) {  # a bitmap is stored bottom row first
    my ($x, $a) = ("", "");
    for my $char (split //, $row) {
      my $k = $kind{$char} // die "unknown pixel $char\n";
      $x .= $k eq "w" ? 1 : 0;  # palette: 0 black, 1 white
      $a .= $k eq "t" ? 1 : 0;  # the AND mask keeps the screen where the cursor is clear
    }
    $xor .= pack "B32", $x;
    $and .= pack "B32", $a;
  }
  my $image = pack("VVVvvVVVVVV", 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
            . pack("V2", 0x000000, 0xFFFFFF) . $xor . $and;
  print pack("vvv", 0, 2, 1)
      . pack("CCCCvvVV", 32, 32, 2, 0, $hx, $hy, length $image, 22) . $image;
' < "$here/resources/hand-cursor.xpm" > "$here/resources/hand.cur"

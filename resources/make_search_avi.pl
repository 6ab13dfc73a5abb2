#!/usr/bin/perl
# Draws the scanner's animation, SEARCH.AVI: a magnifying glass sweeping over a row of
# files, as an uncompressed 8-bit AVI that the common animation control plays.
#
#   perl make_search_avi.pl OUT.AVI
use strict;
use warnings;

my $out = shift or die "usage: $0 OUT.AVI\n";

my ($W, $H) = (64, 40);
my $frames = 16;
my $fps = 8;

# Palette: index 0 is the background, which the control shows as its parent's colour.
my @palette = (
    [0xF0, 0xF0, 0xF0],   # 0 background
    [0x20, 0x20, 0x20],   # 1 outline
    [0xFF, 0xFF, 0xFF],   # 2 paper
    [0xA0, 0xA0, 0xA0],   # 3 text lines, folded corner
    [0x40, 0x60, 0x80],   # 4 glass rim
    [0xC8, 0xE4, 0xFF],   # 5 lens
    [0x80, 0x50, 0x20],   # 6 handle
    [0x30, 0x90, 0x30],   # 7 the empty file found (green mark)
);

sub new_canvas { return [ map { [ (0) x $W ] } 1 .. $H ]; }

sub plot {
    my ($c, $x, $y, $i) = @_;
    return if $x < 0 || $y < 0 || $x >= $W || $y >= $H;
    $c->[$y][$x] = $i;
}

sub rect {
    my ($c, $x0, $y0, $x1, $y1, $i) = @_;
    for my $y ($y0 .. $y1) { plot($c, $_, $y, $i) for $x0 .. $x1; }
}

# A sheet of paper with a folded corner and three lines of text; an empty one has none.
sub file_icon {
    my ($c, $x, $y, $empty) = @_;
    rect($c, $x, $y, $x + 11, $y + 15, 1);
    rect($c, $x + 1, $y + 1, $x + 10, $y + 14, 2);
    rect($c, $x + 8, $y + 1, $x + 10, $y + 3, 3);
    unless ($empty) {
        rect($c, $x + 2, $y + 5 + 3 * $_, $x + 8, $y + 5 + 3 * $_, 3) for 0 .. 2;
    }
}

sub glass {
    my ($c, $cx, $cy) = @_;
    for my $y ($cy - 9 .. $cy + 9) {
        for my $x ($cx - 9 .. $cx + 9) {
            my $d = ($x - $cx) ** 2 + ($y - $cy) ** 2;
            if ($d <= 42) { plot($c, $x, $y, 5) unless ($x + $y) % 3; }   # see-through lens
            elsif ($d <= 72) { plot($c, $x, $y, 4); }
        }
    }
    for my $t (0 .. 8) {   # the handle, down to the right
        rect($c, $cx + 6 + $t, $cy + 6 + $t, $cx + 7 + $t, $cy + 7 + $t, 6);
    }
}

my @frame_data;
for my $f (0 .. $frames - 1) {
    my $c = new_canvas();
    my @files = (4, 26, 48);
    file_icon($c, $files[$_], 12, $_ == 1) for 0 .. 2;
    # Forth and back over the row; the empty middle file gets its mark under the glass.
    my $half = $frames / 2;
    my $step = $f < $half ? $f : $frames - 1 - $f;
    my $cx = 10 + int($step * 44 / ($half - 1));
    glass($c, $cx, 18);
    if (abs($cx - 32) <= 8) {   # a tick over the empty file
        plot($c, 28 + $_, 5 + $_, 7), plot($c, 28 + $_, 6 + $_, 7) for 0 .. 2;
        plot($c, 31 + $_, 6 - $_, 7), plot($c, 31 + $_, 7 - $_, 7) for 0 .. 4;
    }
    # Bottom-up rows, each a multiple of four bytes long (64 already is).
    push @frame_data, join('', map { pack('C*', @{ $c->[$_] }) } reverse 0 .. $H - 1);
}

sub chunk { my ($id, $data) = @_; my $c = $id . pack('V', length $data) . $data; $c .= "\0" if length($data) % 2; return $c; }
sub list  { my ($type, $data) = @_; return chunk('LIST', $type . $data); }

my $frame_size = $W * $H;
my $avih = pack('V14', int(1_000_000 / $fps), $frame_size * $fps, 0, 0x10, $frames, 0, 1, $frame_size,
                $W, $H, 0, 0, 0, 0);
my $strh = 'vids' . 'DIB ' . pack('V v v V V V V V V V V v4', 0, 0, 0, 0, 1, $fps, 0, $frames, $frame_size,
                                  0xFFFFFFFF, 0, 0, 0, $W, $H);
my $strf = pack('V l l v v V V l l V V', 40, $W, $H, 1, 8, 0, $frame_size, 0, 0, scalar @palette, 0)
         . join('', map { pack('C4', $_->[2], $_->[1], $_->[0], 0) } @palette);
my $hdrl = list('hdrl', chunk('avih', $avih) . list('strl', chunk('strh', $strh) . chunk('strf', $strf)));

my ($movi, $index) = ('', '');
for my $data (@frame_data) {
    # Offsets count from the "movi" type of the list.
    $index .= '00db' . pack('V V V', 0x10, 4 + length $movi, length $data);
    $movi .= chunk('00db', $data);
}

my $riff = 'AVI ' . $hdrl . list('movi', $movi) . chunk('idx1', $index);
open(my $fh, '>:raw', $out) or die "$out: $!\n";
print $fh 'RIFF', pack('V', length $riff), $riff;
close $fh or die "$out: $!\n";

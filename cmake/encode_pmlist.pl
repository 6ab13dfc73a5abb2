#!/usr/bin/perl
# Encodes the readable location list into PMlist.lst.
#   perl encode_pmlist.pl KEY locations.txt PMlist.lst
#
# Each source line becomes one record: a "U " or "H " prefix becomes the
# letter field, every other character a number that the program turns back
# into that character with the key, and a lone apostrophe ends the record.
# An empty source line becomes a lone apostrophe (an empty decoded line).
use strict;
use warnings;

my $KEY_PREFIX = 'Database key:';    # 13 characters; the key starts at the 14th
my $MAX_KEY    = 20;

die "usage: perl encode_pmlist.pl KEY locations.txt PMlist.lst\n" unless @ARGV == 3;
my ($key, $source, $target) = @ARGV;

die "encode_pmlist: the key must be 1 to $MAX_KEY characters\n"
    if length($key) < 1 || length($key) > $MAX_KEY;
die "encode_pmlist: the key may hold printable ASCII only\n" if $key =~ /[^\x20-\x7e]/;

my $offset = key_offset($key);

open(my $in, '<:raw', $source) or die "encode_pmlist: cannot read $source: $!\n";
my @records;
while (my $line = <$in>) {
    $line =~ s/\r?\n\z//;
    push @records, encode_line($line, $offset, $.);
}
close($in);

open(my $out, '>:raw', $target) or die "encode_pmlist: cannot write $target: $!\n";
print {$out} "Pellmaris location database\r\n";
print {$out} "Format version 1\r\n";
print {$out} $KEY_PREFIX . $key . "\r\n";
print {$out} $_ . "\r\n" for @records;
close($out) or die "encode_pmlist: cannot write $target: $!\n";

# The decoder subtracts slots 1,3,5,7,9 and adds slots 2,4,6,8,10 (0 beyond
# the key), so the encoder adds the difference of those two sums.
sub key_offset {
    my ($k) = @_;
    my @slot = (0, map { ord } split //, $k);
    push @slot, 0 while @slot <= 10;
    my $offset = 0;
    for (my $i = 1; $i <= 9; $i += 2) {
        $offset += $slot[$i] - $slot[$i + 1];
    }
    return $offset;
}

sub encode_line {
    my ($line, $off, $line_no) = @_;
    return "'" if $line eq '';
    my @fields;
    if ($line =~ /\A([UH]) (.*)\z/s) {
        push @fields, $1;
        $line = $2;
    }
    for my $ch (split //, $line) {
        my $code = ord($ch);
        die "encode_pmlist: line $line_no: character code $code is above 255\n" if $code > 255;
        my $n = $code + $off;
        die "encode_pmlist: line $line_no: the key gives the negative number $n; choose another key\n"
            if $n < 0;
        push @fields, $n;
    }
    return join(',', @fields, "'");
}

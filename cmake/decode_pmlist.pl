#!/usr/bin/perl
# Decodes PMlist.lst the way the program does at start-up, to check the
# encoder by hand:
#   perl decode_pmlist.pl PMlist.lst [decoded.txt]
# Writes one decoded line per record (LF line ends) to the file or stdout.
use strict;
use warnings;

die "usage: perl decode_pmlist.pl PMlist.lst [decoded.txt]\n" unless @ARGV == 1 || @ARGV == 2;
my ($source, $target) = @ARGV;

open(my $in, '<:raw', $source) or die "decode_pmlist: cannot read $source: $!\n";
my @header;
for (1 .. 3) {
    my $line = <$in>;
    die "decode_pmlist: $source has fewer than three lines\n" unless defined $line;
    $line =~ s/\r?\n\z//;
    push @header, $line;
}
my $key = length($header[2]) > 13 ? substr($header[2], 13) : '';
die "decode_pmlist: key longer than 20 characters\n" if length($key) > 20;

my @slot = (0, map { ord } split //, $key);
push @slot, 0 while @slot <= 20;

my $body = do { local $/; <$in> };
close($in);
$body = '' unless defined $body;

my @lines;
my $record = '';
FIELD: for my $field (split /,|\r\n|\n/, $body) {
    if ($field eq '' || $field eq "'") {
        if ($field eq "'") {
            push @lines, $record;
            $record = '';
        }
    } elsif ($field =~ /\A[UH]/) {
        $record .= $field . ' ';
    } elsif ($field !~ /\A[0-9]/) {
        next FIELD;
    } else {
        my $v = $field + 0;
        for (my $i = 1; $i <= 9; $i += 2) {
            $v = $v - $slot[$i] + $slot[$i + 1];
        }
        $v = sprintf('%.0f', $v);
        if ($v < 0 || $v > 255) {
            warn "decode_pmlist: character code $v out of range; stopping\n";
            last FIELD;    # the unfinished record is dropped
        }
        $record .= chr($v);
    }
}

my $out = \*STDOUT;
if (defined $target) {
    open($out, '>:raw', $target) or die "decode_pmlist: cannot write $target: $!\n";
}
print {$out} $_ . "\n" for @lines;
close($out) if defined $target;

#!/usr/bin/perl
# Counts the letters of a hunspell dictionary (one word per line, flags
# after a slash) and prints the C++ table, the most common letter first.
# Arguments: the dictionary, the package's version.
use strict;
use warnings;
use utf8;
binmode STDOUT, ':encoding(UTF-8)';

my ($dic, $version) = @ARGV;
my @glyph = split / /, 'أ ب ت ث ج ح خ د ذ ر ز س ش ص ض ط ظ ع غ ف ق ك ل م ن ه و ي';
my %index_of = map { $glyph[$_] => $_ } 0 .. 27;
# The other forms of a letter: alef with hamza or madda and alef maqsura
# are alef; teh marbuta is heh (its shape); hamza on waw is waw, on yeh is
# yeh. A lone hamza is not one of the 28.
$index_of{$_} = 0 for ('ا', 'إ', 'آ', 'ى');
$index_of{'ة'} = 25;
$index_of{'ؤ'} = 26;
$index_of{'ئ'} = 27;


open my $in, '<:encoding(UTF-8)', $dic or die "$dic: $!\n";
my @count = (0) x 28;
my $words = 0;
while (my $line = <$in>) {
    next if $. == 1;                       # the entry count
    next if $line =~ /^:/ || $line =~ /\.dic$/; # the file's own separators
    my ($word) = $line =~ m{^([^/\s]+)} or next;
    $words++;
    for my $ch (split //, $word) {
        $count[$index_of{$ch}]++ if exists $index_of{$ch};
    }
}
# Most common first; equal counts in alphabetical order.
my @order = sort { $count[$b] <=> $count[$a] || $a <=> $b } 0 .. 27;

print "// Made by tools/letter-frequency/run; do not edit.\n";
print "// Counted in the $words words of Debian's hunspell-ar $version (Ayaspell word list).\n";
print "#pragma once\n\n#include <array>\n\nnamespace practice {\n\n";
print "// The letters 0..27 (أ..ي), the most common first.\n";
print "inline constexpr std::array<int, 28> kCommonFirstTable = {", join(', ', @order), "};\n\n";
print "// How often each letter (0..27) was counted.\n";
print "inline constexpr std::array<long, 28> kLetterCounts = {", join(', ', @count), "};\n\n";
print "} // namespace practice\n";

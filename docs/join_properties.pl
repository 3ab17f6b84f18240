#!/usr/bin/env perl
# Doxygen input filter for the public headers. Doxygen reads a Q_PROPERTY's WRITE
# accessor only when its name is on the same line as WRITE, and clang-format wraps long
# declarations anywhere. Each Q_PROPERTY(...) is put on one line, and the line breaks it
# held follow it, so that warnings keep their line numbers.
use strict;
use warnings;

local $/;
my $text = <>;
$text =~ s{Q_PROPERTY\(([^)]*)\)}{
    my $body = $1;
    my $breaks = ($body =~ tr/\n/ /);
    "Q_PROPERTY($body)" . ("\n" x $breaks)
}ge;
print $text;

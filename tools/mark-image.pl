#!/usr/bin/perl
# Says in the linked executable what the linker cannot: that Windows is to copy the image to the
# page file when it starts it from removable or network media (the program trims its own working
# set, and its code must not have to be read back from a stick that was pulled out or a share
# that went away), and where the load configuration is. Edits the file in place, to the same
# bytes on every run, and computes the image's checksum again.
#
#   perl mark-image.pl Velmora.exe Velmora.map
use strict;
use warnings;

my ($image_path, $map_path) = @ARGV;
die "usage: mark-image.pl IMAGE LINK-MAP\n" unless defined $map_path;

use constant {
    RUN_FROM_SWAP        => 0x0400 | 0x0800,  # IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | _NET_
    PE32_PLUS            => 0x020B,
    LOAD_CONFIG_ENTRY    => 10,               # IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG
    DEPENDENT_FLAGS_END  => 80,               # DependentLoadFlags is the WORD at offset 78
};

open my $file, '+<:raw', $image_path or die "$image_path: $!\n";
my $image = do { local $/; <$file> };

sub u16 { unpack 'v',  substr($image, $_[0], 2) }
sub u32 { unpack 'V',  substr($image, $_[0], 4) }
sub u64 { unpack 'Q<', substr($image, $_[0], 8) }
sub put32 { substr($image, $_[0], 4) = pack 'V', $_[1] }

die "$image_path: not an executable\n" unless length $image > 0x40 && substr($image, 0, 2) eq 'MZ';
my $nt = u32(0x3C);
die "$image_path: no PE header\n" unless substr($image, $nt, 4) eq "PE\0\0";
my $file_header = $nt + 4;
my $sections = u16($file_header + 2);
my $optional = $file_header + 20;
my $optional_size = u16($file_header + 16);
die "$image_path: not a 64-bit image\n" unless u16($optional) == PE32_PLUS;
my $image_base = u64($optional + 24);
my $checksum_at = $optional + 64;
die "$image_path: no load-configuration entry\n" unless u32($optional + 108) > LOAD_CONFIG_ENTRY;
my $load_config_entry = $optional + 112 + 8 * LOAD_CONFIG_ENTRY;

# The standard sum: the file's 16-bit words with the checksum field counted as zero, folded to
# 16 bits with the carries added back, plus the file's length.
sub checksum {
    my $bytes = $image;
    substr($bytes, $checksum_at, 4) = "\0" x 4;
    $bytes .= "\0" if length($bytes) % 2;
    my $sum = 0;
    $sum += $_ for unpack 'v*', $bytes;
    $sum = ($sum & 0xFFFF) + ($sum >> 16) while $sum > 0xFFFF;
    return $sum + length $image;
}

# A linker's checksum that our sum does not reproduce means our sum is wrong.
my $linked = u32($checksum_at);
die sprintf("%s: checksum %08X, computed %08X\n", $image_path, $linked, checksum())
    if $linked != 0 && $linked != checksum();

# The structure's address, from the link map: the executable itself keeps no symbols.
open my $map, '<', $map_path or die "$map_path: $!\n";
no warnings qw(portable);  # addresses above 4 GiB, which a 64-bit perl holds
my @addresses = map { /^\s+0x([0-9A-Fa-f]+)\s+_load_config_used\s*$/ ? hex $1 : () } <$map>;
close $map;
die "$map_path: _load_config_used is not defined once\n" unless @addresses == 1;
my $rva = $addresses[0] - $image_base;

my $structure;
for my $i (0 .. $sections - 1) {
    my $section = $optional + $optional_size + 40 * $i;
    my ($address, $raw_size, $raw_at) = (u32($section + 12), u32($section + 16), u32($section + 20));
    if ($rva >= $address && $rva + DEPENDENT_FLAGS_END <= $address + $raw_size) {
        $structure = $rva - $address + $raw_at;
        last;
    }
}
die "$image_path: _load_config_used lies in no section's data\n" unless defined $structure;
my $size = u32($structure);
die "$image_path: _load_config_used is $size bytes, too small for DependentLoadFlags\n"
    if $size < DEPENDENT_FLAGS_END;

substr($image, $file_header + 18, 2) = pack 'v', u16($file_header + 18) | RUN_FROM_SWAP;
put32($load_config_entry, $rva);
put32($load_config_entry + 4, $size);
put32($checksum_at, checksum());

seek $file, 0, 0 or die "$image_path: $!\n";
print {$file} $image or die "$image_path: $!\n";
close $file or die "$image_path: $!\n";

#!/usr/bin/perl
# Usage: qemu-ppc-root.pl CROSS_TREE ROOT
#
# Makes ROOT the tree qemu-ppc -L loads PowerPC programs from: CROSS_TREE/lib linked file by
# file, but libm.so.6, copied with the POWER9 forms of mffs (mffsce, mffsl, mffscrn, mffscrni,
# mffscdrn, mffscdrni) rewritten as plain mffs. Debian's powerpc glibc uses them because older
# processors execute them as mffs, and checks the hardware before counting on more; qemu-user
# 7.2 raises SIGILL instead. Only executable segments are touched.
use strict;
use warnings;

my ($tree, $root) = @ARGV;
die "usage: $0 CROSS_TREE ROOT\n" unless defined $root;
my $lib = "$root/lib";
system('mkdir', '-p', $lib) == 0 or die "$lib: cannot create\n";

opendir(my $dir, "$tree/lib") or die "$tree/lib: $!\n";
for my $name (readdir $dir) {
    next if $name eq '.' || $name eq '..' || $name eq 'libm.so.6';
    unlink "$lib/$name";
    symlink("$tree/lib/$name", "$lib/$name") or die "$lib/$name: $!\n";
}
closedir $dir;

open(my $in, '<:raw', "$tree/lib/libm.so.6") or die "$tree/lib/libm.so.6: $!\n";
my $image = do { local $/; <$in> };
close $in;

# A 32-bit big-endian ELF file: its program headers say which bytes are code.
die "libm.so.6: not a 32-bit big-endian ELF file\n"
    unless substr($image, 0, 6) eq "\x7fELF\x01\x02";
my ($phoff) = unpack('N', substr($image, 0x1C, 4));
my ($phentsize, $phnum) = unpack('nn', substr($image, 0x2A, 4));
my $rewritten = 0;
for my $i (0 .. $phnum - 1) {
    my ($type, $offset, undef, undef, $filesz, undef, $flags) =
        unpack('N7', substr($image, $phoff + $i * $phentsize, 28));
    next unless $type == 1 && ($flags & 1);    # PT_LOAD, PF_X
    for (my $at = $offset & ~3; $at + 4 <= $offset + $filesz; $at += 4) {
        my $word = unpack('N', substr($image, $at, 4));
        # Primary opcode 63, extended opcode 583 (mffs), with bits 11-20 not all zero.
        next unless ($word & 0xFC0007FE) == 0xFC00048E && ($word & 0x001FF800);
        substr($image, $at, 4) = pack('N', $word & ~0x001FF800);
        ++$rewritten;
    }
}
die "libm.so.6: no POWER9 mffs form found; is this tree still the one this was made for?\n"
    unless $rewritten;

my $temporary = "$lib/libm.so.6.$$";
open(my $out, '>:raw', $temporary) or die "$temporary: $!\n";
print $out $image;
close $out or die "$temporary: $!\n";
rename($temporary, "$lib/libm.so.6") or die "$lib/libm.so.6: $!\n";

"""The build's Python: packers of the stored content and of Setup.exe's code, the checksum
stamp, the decoder's test vectors and the makers of the pictures and the icon. Run from the
source root as modules: python3 -m tools.pack_block ..."""

#pragma once

class FCFile;
class FCImageBuffer;

// Pictures that are not image sets: backgrounds and portraits chosen by file
// name. Both loaders read from the file's current position to its end, and
// give a new buffer holding one reference, or null (logged) when the file
// cannot be used. With useScreenFormat the picture takes the back buffer's
// format (5-5-5 while there is no back buffer); otherwise 5-5-5.

// Decodes a baseline or progressive JPEG. A file that ends early decodes as
// if it ended there; a damaged one gives null.
FCImageBuffer* LoadJPEG(FCFile& file, bool useScreenFormat);

// Reads an uncompressed BMP of 8 bits (palettised, kept as indices with the
// palette converted) or 16 bits (5-5-5) per pixel, bottom-up or top-down.
// A picture whose top-left pixel is pure green gets that pixel's stored
// value as its colour key.
FCImageBuffer* LoadBMP(FCFile& file, bool useScreenFormat);

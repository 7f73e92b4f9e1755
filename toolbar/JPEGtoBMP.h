// The banner conversion the library exports by name: a JPEG file decoded with libjpeg and
// written as an uncompressed Windows BMP file that the system's bitmap loader reads.
#pragma once

// Results of JPEGtoBMP.
#define JPEGTOBMP_OK 0       /* BMP written, the decoder had nothing to say */
#define JPEGTOBMP_FAILED 1   /* no BMP: input not opened, output not created, fatal error */
#define JPEGTOBMP_WARNINGS 2 /* BMP written, but the decoder warned (e.g. data cut short) */

// Bounds on the work a file may ask for (the banner is 100 x 18): a file with more scans
// (a progressive one normally has about ten; repeated ones cost a pass over the whole
// image each) or more pixels fails.
constexpr int kJpegMaxScans = 100;
constexpr long kJpegMaxPixels = 2048L * 2048;

// Converts the JPEG file at jpegPath (ANSI path) into the BMP file at bmpPath, which is
// created or truncated once the input has opened. Grey images give 8-bit BMPs with a grey
// palette, colour images 24-bit ones; other colour spaces (CMYK) fail. C calling convention;
// exported by name from tandem.dll.
extern "C" int JPEGtoBMP(const char* jpegPath, const char* bmpPath);

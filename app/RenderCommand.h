// The render verb: a personality's preview drawn into a PNG file, without a screen.
#pragma once

#include <iosfwd>
#include <string>

namespace sw {

// Composes the preview of uisFile at a client size of width x height (the active
// look, or the inactive one) and writes it to pngOut. Returns 0 on success and 2
// when the personality has no preview, a file cannot be read or written, or the
// size is unusable; the message on err names the file. Uses the running Qt GUI
// application, or runs one on the offscreen platform for the duration of the call.
// Why the picture may not be written to pngOut (it is the personality itself, or any
// .uis file), or empty when it may.
std::string refusedOutput(const std::string& uisFile, const std::string& pngOut);

int renderPreviewToPng(const std::string& uisFile, const std::string& pngOut, int width, int height, bool inactive,
                       std::ostream& err);

}  // namespace sw

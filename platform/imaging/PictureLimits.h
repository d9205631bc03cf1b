#pragma once

// The largest picture the decoders accept, in either direction. The
// program's own pictures are at most 502 x 507 pixels (the dial panel); a
// header that declares a side beyond this belongs to a damaged or foreign
// file, which is refused before anything is allocated for it.
constexpr int MaxPictureSide = 2048;

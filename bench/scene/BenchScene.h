#pragma once
// The 1920 x 1080 scene the drawing and playback benchmarks share.

namespace zv {

class CNeonAv;
class CNeonBkg;
class CNeonFrame;

// 20 rectangle regions of 64 x 16 cells and 5 polygon regions of 16 x 8 cells, every
// cell lit.
void FillFrame(CNeonFrame& f);
// A background photo stretched over the view, 10 texts and 4 pictures (two of them
// shown larger than their bitmaps).
void AddLayers(CNeonFrame& f, CNeonBkg& bkg);

// The scheme benchmark's animation, built into `av` (emptied first): 1000 frames, each
// with 10 regions of 64 x 8 cells in varied colours (about 143 MB as a file).
void BuildBigScheme(CNeonAv& av);

}  // namespace zv

#include "lib/widgets/TextPlacement.h"

#include "lib/bitmap/Bmp.h"

namespace {

enum : int32_t { kOneLine = 0, kWrapped = 1, kMeasureWrapped = 3 };

// Moves in the edges that the alignment names: left or right unless centred
// horizontally, top or bottom unless in the middle; centre codes get none.
void InsetAlignedEdges(RECT& rect, int32_t alignment, int32_t margin) {
  int32_t horizontal = alignment / 3, vertical = alignment % 3;
  if (horizontal == 1) return;
  if (horizontal == 0) rect.left += margin;
  if (horizontal == 2) rect.right -= margin;
  if (vertical == 0) rect.top += margin;
  if (vertical == 2) rect.bottom -= margin;
}

}  // namespace

RECT CentreWrappedBlock(CBmp* canvas, const CStr& text, RECT rect, HFONT font, int32_t alignment) {
  RECT measured = rect;
  canvas->DrawText(&text, &measured, font, 0, alignment, kMeasureWrapped);
  int32_t height = measured.bottom - measured.top;
  rect.top += (rect.bottom - rect.top - height) / 2;
  rect.bottom = rect.top + height;
  // Centred lines keep the full width: centring them in a rectangle of the
  // measured width only would cut the overhang of their last letters and, where
  // the measure falls a pixel short, push a word onto a line below the block.
  return rect;
}

void DrawPlacedText(CBmp* canvas, const CStr& text, RECT rect, HFONT font, uint32_t colour,
                    const STextPlacement& placement) {
  int32_t alignment = placement.alignment;
  if (placement.wordWrap && alignment % 3 == 1) {
    // Measured and drawn from the block's top: left, centre or right.
    int32_t topCode = alignment - 1;
    if (topCode == 0) rect.left += placement.margin;
    if (topCode == 6) rect.right -= placement.margin;
    RECT block = CentreWrappedBlock(canvas, text, rect, font, topCode);
    canvas->DrawText(&text, &block, font, colour, topCode, kWrapped);
    return;
  }
  InsetAlignedEdges(rect, alignment, placement.margin);
  canvas->DrawText(&text, &rect, font, colour, alignment, placement.wordWrap ? kWrapped : kOneLine);
}

/* The floor for one rendered invoice: a bare C program that writes a
 * one-page A4 PDF of about as many texts as a one-page invoice, in "Arial"
 * found through fontconfig, with cairo. lumora-render is timed against it
 * (bench/render_bench.sh); it is built with the benchmarks and not shipped.
 *
 *   cairo_floor OUTPUT.pdf
 */

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <fontconfig/fontconfig.h>
#include <stdio.h>

enum { kTexts = 80 };

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: cairo_floor OUTPUT.pdf\n");
    return 2;
  }
  FcPattern* pattern = FcNameParse((const FcChar8*)"Arial");
  FcConfigSubstitute(NULL, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(NULL, pattern, &result);
  if (!match) {
    fprintf(stderr, "cairo_floor: no font\n");
    return 1;
  }
  cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match);

  cairo_surface_t* surface = cairo_pdf_surface_create(argv[1], 595.28, 841.89);
  cairo_t* cr = cairo_create(surface);
  cairo_set_font_face(cr, face);
  cairo_set_font_size(cr, 8);
  char text[64];
  for (int i = 0; i < kTexts; ++i) {
    snprintf(text, sizeof text, "Rechnungsposition %d: Artikel %d zu 10,00 EUR", i, i);
    cairo_move_to(cr, 60 + (i % 3) * 150, 40 + (i / 3) * 28);
    cairo_show_text(cr, text);
  }
  cairo_show_page(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const int failed = cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  cairo_font_face_destroy(face);
  FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return failed;
}

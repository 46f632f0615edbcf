/*
 * libdynapdf: the PDF writer behind the program's PDF medium.
 *
 * A small C ABI over cairo and fontconfig. The program loads it at run time
 * under the name "dynapdf.dll" (see pdflib/) and looks each function up by
 * name; the functions below are the whole exported surface.
 *
 * Conventions shared by every function:
 * - the instance handle from pdfNewPDF comes first;
 * - integers are 32-bit, positions and sizes are doubles in points;
 * - booleans going in are -1 (true) or 0 (false);
 * - "A" functions take zero-terminated 8-bit strings (the file system's bytes),
 *   "W" functions zero-terminated UTF-16;
 * - results are 32-bit integers: non-zero for success unless stated;
 * - no function throws or aborts: a failure is a result of 0 (or a negative
 *   font handle), and a null instance handle is refused the same way.
 *
 * pdfMeasureTextW tells how wide a text will be, at any time, so a caller
 * can fit it to its room before writing it.
 *
 * One instance makes documents one after the other:
 *   pdfCreateNewPDFA -> pdfAppend -> pdfSetPageFormat -> (pdfSetFontW,
 *   pdfWriteTextW)* -> pdfEndPage -> [pdfAppend ... pdfEndPage]* ->
 *   pdfOpenOutputFileA (or pdfOpenOutputFileAtA) -> pdfCloseFile
 * after which pdfHaveOpenDoc is 0 and the next document can start.
 */
#ifndef DYNAPDF_H
#define DYNAPDF_H

#include <stdint.h>
#include <uchar.h>

#if defined(DYNAPDF_BUILDING)
#define DYNAPDF_API __attribute__((visibility("default")))
#else
#define DYNAPDF_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Opaque document instance. */
typedef struct DynaPdfInstance DynaPdfInstance;

/* Creates an instance. Returns null when no memory is left. */
DYNAPDF_API DynaPdfInstance* pdfNewPDF(void);

/* Releases an instance and any document still open in it. Returns 1. */
DYNAPDF_API int32_t pdfDeletePDF(DynaPdfInstance* pdf);

/* Whether a document is open: non-zero from pdfCreateNewPDFA until pdfCloseFile. */
DYNAPDF_API int32_t pdfHaveOpenDoc(DynaPdfInstance* pdf);

/* Starts a new document in memory, discarding one still open.
 * fileName: "" to name the output file later with pdfOpenOutputFileA,
 * otherwise the output path; null is refused and changes nothing.
 * The document has no page yet and the page size is DIN A4 portrait. */
DYNAPDF_API int32_t pdfCreateNewPDFA(DynaPdfInstance* pdf, const char* fileName);

/* Adds an empty page at the end of the open document; later text goes there.
 * Fails when no document is open or the current page has not been ended. */
DYNAPDF_API int32_t pdfAppend(DynaPdfInstance* pdf);

/* Sets the page size of the open document. format 1: DIN A4 portrait
 * (595.276 x 841.89 points). Other codes are refused. */
DYNAPDF_API int32_t pdfSetPageFormat(DynaPdfInstance* pdf, int32_t format);

/* Selects the font for the following text. Needs an open document.
 * name: family name resolved through fontconfig ("Arial" gives a
 * metric-compatible sans face); style: 1280 for the regular face, other values
 * are taken as regular too; size: points, the em of the font and of any
 * fallback font alike; embed: -1/0, fonts are always
 * embedded as subsets; codePage: accepted and ignored, text is Unicode.
 * Returns a non-negative font handle, the same one for the same family and
 * size, or a negative value on failure (no document, null or empty name,
 * size not above 0). */
DYNAPDF_API int32_t pdfSetFontW(DynaPdfInstance* pdf, const char16_t* name, int32_t style,
                                double size, int32_t embed, int32_t codePage);

/* Writes text on the current page in the current font. (x, y) in points,
 * origin at the page's lower-left corner, y upwards, marks the top-left corner
 * of the text: the font's ascent line at the text's start, so the baseline
 * lies one ascent of the font at its size below y. Characters the font lacks
 * come from fallback fonts that fontconfig finds, shaped as their script
 * needs, on the same baseline (one ascent of the selected font, whatever the
 * fallback's own ascent); glyphs advance by their fonts' widths, without
 * kerning or optional ligatures. A control
 * character stands as a blank; a lone surrogate is shown as U+FFFD. Fails
 * when no page is open or no font was selected. */
DYNAPDF_API int32_t pdfWriteTextW(DynaPdfInstance* pdf, double x, double y, const char16_t* text);

/* Measures how far text written with pdfWriteTextW in the font fontName at
 * size points would reach: its advance width in points, into *width. Needs
 * no document and leaves the current font as it is.
 * Fails, leaving *width alone, on a null argument, an empty name, a size not
 * above 0 or a font that cannot be found. */
DYNAPDF_API int32_t pdfMeasureTextW(DynaPdfInstance* pdf, const char16_t* fontName, double size,
                                    const char16_t* text, double* width);

/* Finishes the current page, which is drawn now: the open document keeps
 * its pages as compressed PDF bytes, not as texts. Fails when no page is
 * open. */
DYNAPDF_API int32_t pdfEndPage(DynaPdfInstance* pdf);

/* Names the file that pdfCloseFile writes, replacing a name given before.
 * Nothing is created yet. Fails with no document open or an empty path. */
DYNAPDF_API int32_t pdfOpenOutputFileA(DynaPdfInstance* pdf, const char* path);

/* Names the file that pdfCloseFile writes as name inside the folder open as
 * descriptor folder. The library keeps its own copy of the descriptor, so the
 * file goes into that folder even when it is renamed, or a symbolic link takes
 * its name, before pdfCloseFile. Nothing is created yet. Fails with no
 * document open, an empty name or a folder that is no open directory. */
DYNAPDF_API int32_t pdfOpenOutputFileAtA(DynaPdfInstance* pdf, int32_t folder, const char* name);

/* Writes the whole document to the named file and closes the document.
 * The file is written atomically: into an unnamed temporary file in the same
 * folder, which takes the target's name only when it is complete, so a failed
 * write, or a signal that ends the program meanwhile, leaves any earlier file
 * untouched and no partial file behind. A replaced regular file keeps its
 * permissions; a new file, or one that replaces a symbolic link, gets 0666
 * under the umask. With no output file named, the
 * document is discarded; so is a document without pages. A page not yet
 * ended is written as it stands. Either way no document is open afterwards.
 * A document is not written either when a font could not be found for
 * pdfSetFontW: its text would be missing.
 * Returns non-zero only when the file was written; on 0, errno tells why:
 * the system's error of the failed write (ENOSPC, EACCES, ...), EINVAL when
 * there was nothing to write, 0 when no font was found. */
DYNAPDF_API int32_t pdfCloseFile(DynaPdfInstance* pdf);

#ifdef __cplusplus
}
#endif

#endif /* DYNAPDF_H */

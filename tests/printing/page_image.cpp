#include "page_image.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "pdf_inspect.h"

namespace lumora::test {
namespace {

// A binary PGM as pdftoppm writes it: "P5", width, height, maximum, bytes.
PageImage readPgm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  PageImage image;
  in >> magic >> image.width >> image.height >> maximum;
  in.get();  // the single blank after the header
  if (magic != "P5" || maximum != 255 || image.width <= 0 || image.height <= 0) {
    throw std::runtime_error("not an 8-bit gray image: " + path);
  }
  image.gray.resize(static_cast<std::size_t>(image.width) * image.height);
  in.read(reinterpret_cast<char*>(image.gray.data()),
          static_cast<std::streamsize>(image.gray.size()));
  if (!in) throw std::runtime_error("short image: " + path);
  return image;
}

std::vector<double> profile(const PageImage& image, bool alongX) {
  std::vector<double> sums(alongX ? image.width : image.height, 0.0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) sums[alongX ? x : y] += image.ink(x, y);
  }
  return sums;
}

// The first index with real ink: more than one pixel's worth.
int firstInk(const std::vector<double>& sums) {
  const auto it = std::find_if(sums.begin(), sums.end(), [](double s) { return s > 1.0; });
  if (it == sums.end()) throw std::runtime_error("a blank page");
  return static_cast<int>(it - sums.begin());
}

double sampled(const std::vector<double>& sums, double at) {
  const int i = static_cast<int>(std::floor(at));
  if (i < 0 || i + 1 >= static_cast<int>(sums.size())) return 0;
  const double f = at - i;
  return sums[i] * (1 - f) + sums[i + 1] * f;
}

// The stretch that best lays the reference profile over the other one, the
// first ink of both kept together: the text that starts the page in both.
AxisMap fitAxis(const std::vector<double>& reference, const std::vector<double>& other) {
  const int r0 = firstInk(reference);
  const int o0 = firstInk(other);
  AxisMap best;
  double bestScore = -1;
  for (double scale = 0.85; scale <= 1.15; scale += 0.0005) {
    double product = 0;
    double refSquares = 0;
    double otherSquares = 0;
    for (int i = o0; i < static_cast<int>(other.size()); ++i) {
      const double r = sampled(reference, r0 + (i - o0) / scale);
      product += r * other[i];
      refSquares += r * r;
      otherSquares += other[i] * other[i];
    }
    const double score = product / std::sqrt(refSquares * otherSquares + 1e-12);
    if (score > bestScore) {
      bestScore = score;
      best = {scale, o0 - scale * r0};
    }
  }
  return best;
}

}  // namespace

PageImage renderPage(const std::string& pdf, int page, int dotsPerInch) {
  std::string prefix = "/tmp/lumora-page-XXXXXX";
  const int fd = ::mkstemp(prefix.data());
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  ::close(fd);
  const std::string number = std::to_string(page);
  const ToolResult result = runTool({"pdftoppm", "-q", "-gray", "-r", std::to_string(dotsPerInch),
                                     "-f", number, "-l", number, "-singlefile", pdf, prefix});
  ::unlink(prefix.c_str());
  if (result.exitCode != 0) throw std::runtime_error("pdftoppm failed on " + pdf);
  PageImage image = readPgm(prefix + ".pgm");
  ::unlink((prefix + ".pgm").c_str());
  image.dotsPerInch = dotsPerInch;
  return image;
}

Overlay overlay(const PageImage& reference, const PageImage& other, double cellMillimetres) {
  Overlay result;
  result.x = fitAxis(profile(reference, true), profile(other, true));
  result.y = fitAxis(profile(reference, false), profile(other, false));

  // Ink per cell of the other page, and of the reference laid over it.
  const int cell = std::max(1, static_cast<int>(cellMillimetres / 25.4 * other.dotsPerInch));
  const int columns = other.width / cell;
  const int rows = other.height / cell;
  std::vector<bool> otherInk(static_cast<std::size_t>(columns) * rows);
  std::vector<bool> referenceInk(otherInk.size());
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      double own = 0;
      double laid = 0;
      for (int y = row * cell; y < (row + 1) * cell; ++y) {
        for (int x = column * cell; x < (column + 1) * cell; ++x) {
          own += other.ink(x, y);
          const int rx = static_cast<int>(std::lround((x - result.x.offset) / result.x.scale));
          const int ry = static_cast<int>(std::lround((y - result.y.offset) / result.y.scale));
          if (rx >= 0 && ry >= 0 && rx < reference.width && ry < reference.height) {
            laid += reference.ink(rx, ry);
          }
        }
      }
      const double pixels = static_cast<double>(cell) * cell;
      otherInk[static_cast<std::size_t>(row) * columns + column] = own / pixels > 0.02;
      referenceInk[static_cast<std::size_t>(row) * columns + column] = laid / pixels > 0.02;
    }
  }

  // A cell counts against the pages when only one of them has ink there and
  // the other has none in the cells around it either.
  const auto inkNear = [&](const std::vector<bool>& ink, int row, int column) {
    for (int r = std::max(0, row - 1); r <= std::min(rows - 1, row + 1); ++r) {
      for (int c = std::max(0, column - 1); c <= std::min(columns - 1, column + 1); ++c) {
        if (ink[static_cast<std::size_t>(r) * columns + c]) return true;
      }
    }
    return false;
  };
  int inked = 0;
  int alone = 0;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const std::size_t i = static_cast<std::size_t>(row) * columns + column;
      if (!otherInk[i] && !referenceInk[i]) continue;
      ++inked;
      if ((otherInk[i] && !inkNear(referenceInk, row, column)) ||
          (referenceInk[i] && !inkNear(otherInk, row, column))) {
        ++alone;
      }
    }
  }
  result.mismatch = inked == 0 ? 1.0 : static_cast<double>(alone) / inked;
  return result;
}

}  // namespace lumora::test

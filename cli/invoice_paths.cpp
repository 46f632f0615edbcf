#include "cli/invoice_paths.h"

#include <cerrno>

#include "platform/current_directory.h"
#include "platform/text_file.h"

namespace lumora::cli {

std::string absolutePath(const std::string& path) {
  if (path.empty()) throwInOutError(ENOENT);
  if (path.front() == '/') return path;
  const std::string directory = GetCurrentDirectoryA();
  return directory == "/" ? "/" + path : directory + "/" + path;
}

std::vector<InvoicePath> absoluteInvoicePaths(const std::vector<std::string>& named) {
  std::vector<InvoicePath> invoices;
  invoices.reserve(named.size());
  for (const std::string& name : named) {
    InvoicePath invoice{name, {}, nullptr};
    try {
      invoice.path = absolutePath(name);
    } catch (...) {
      invoice.error = std::current_exception();
    }
    invoices.push_back(std::move(invoice));
  }
  return invoices;
}

}  // namespace lumora::cli

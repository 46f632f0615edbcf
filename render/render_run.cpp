#include "render/render_run.h"

namespace lumora {

RenderRun::RenderRun(RenderHost& host, InvoiceReader& reader, TextOutput& output)
    : m_host(host), m_reader(reader), m_output(output) {}

void RenderRun::Button3Click() {
  // Being written: the layout steps follow.
}

}  // namespace lumora

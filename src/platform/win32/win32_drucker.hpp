// The printers of Windows: the print dialog, a GDI job at the printer's resolution, the progress window of a long job.
#pragma once

#include "platform/drucker.hpp"

namespace karmo {

class Win32Drucker final : public Drucker {
public:
    // PrintDlgW with the default printer chosen, owned by the active window;
    // "no printer" is told apart from a cancelled dialog.
    Druckwahl dialog() override;
};

} // namespace karmo

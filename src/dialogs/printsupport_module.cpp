// The module the program loads on first use: the linked table, handed out through a C entry point.
#include "dialogs/printsupport.h"

extern "C" Q_DECL_EXPORT const printsupport::Functions *kerla_printsupport_functions() {
    return &printsupport::linkedTable().functions();
}

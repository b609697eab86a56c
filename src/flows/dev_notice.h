// The notice that the structure and masonry flows show for the analysis module in development.
#ifndef TRUV_FLOWS_DEV_NOTICE_H
#define TRUV_FLOWS_DEV_NOTICE_H

#include <string>

/// Defined with the plug-in's other load-time objects, in their order of construction.
extern const std::string devNotice;

#endif  // TRUV_FLOWS_DEV_NOTICE_H

// Symbol visibility of the library: everything is hidden by default, and the
// classes and functions that applications use are marked TSXMLLIB_EXPORT.
#ifndef TSXMLLIB_EXPORT_H
#define TSXMLLIB_EXPORT_H

#if defined(TSXMLLIB_BUILDING)
#define TSXMLLIB_EXPORT __attribute__((visibility("default")))
#else
#define TSXMLLIB_EXPORT __attribute__((visibility("default")))
#endif

#define TSXMLLIB_NO_EXPORT __attribute__((visibility("hidden")))

#endif

#ifndef ZUVO_FORMATS_ODF_ODFLOG_H
#define ZUVO_FORMATS_ODF_ODFLOG_H

#include <QLoggingCategory>

// Developer diagnostics of the OpenDocument import ("###" lines). Debug output
// of this category is off unless QT_LOGGING_RULES turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcOdf)

#endif

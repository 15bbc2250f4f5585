#include "online/window/OnlineUrls.h"

QString UpdateBaseURL = QStringLiteral(MINUTRIX_UPDATE_URL);
QString FeedbackBaseURL = QStringLiteral(MINUTRIX_FEEDBACK_URL);
QString HomepageURL = QStringLiteral(MINUTRIX_HOMEPAGE_URL);
QString PartnerURL = QStringLiteral(MINUTRIX_PARTNER_URL);

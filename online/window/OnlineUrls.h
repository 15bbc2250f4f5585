#pragma once
// The addresses the online services talk to, fixed when the program is built (the CMake cache
// variables MINUTRIX_UPDATE_URL, MINUTRIX_FEEDBACK_URL, MINUTRIX_HOMEPAGE_URL and
// MINUTRIX_PARTNER_URL). Plain values, so tests can point them at a server of their own.
#include <QString>

extern QString UpdateBaseURL;     // "/downloads/minutrix/..." follows it
extern QString FeedbackBaseURL;   // "feedback.php?..." follows it
extern QString HomepageURL;       // the info window's link to our home page
extern QString PartnerURL;        // the info window's banner

/* Every suite declaration the heart filter and its host share. */
#ifndef HEART_HOST_SUITES_H
#define HEART_HOST_SUITES_H

#include "heart_types.h"
#include "messages.h"
#include "sp_suites.h"
#include "ai_support_suites.h"
#include "ai_art_suites.h"
#include "ai_document_suites.h"
#include "ai_menu_filter_suites.h"
#include "adm_suites.h"

#endif

#pragma once

#include <QString>

#include "engine/mask_compiler.h"
#include "filesystem/file_system.h"
#include "plan/plan_failure.h"

struct PlanVerdict;

// The hint-line text of a mask error: "Fehler: " + its text + ".".
QString ShowError(MaskError error);

// The hint-line text of the failure the verdict reports; empty when it reports none.
QString failureMessage(const PlanVerdict& verdict);

// Why a renaming failed, in a few words: "Ziel existiert bereits".
QString reasonText(RenameFailure failure);

#include "model/WrapperFactory.h"

#include "model/Vocabulary.h"
#include "model/cAppWrapper.h"
#include "model/cBrowserWrapper.h"
#include "model/cCheckWrapper.h"
#include "model/cComboWrapper.h"
#include "model/cCommandWrapper.h"
#include "model/cEditWrapper.h"
#include "model/cFormWrapper.h"
#include "model/cFrameWrapper.h"
#include "model/cGaugeWrapper.h"
#include "model/cGridWrapper.h"
#include "model/cLabelWrapper.h"
#include "model/cListWrapper.h"
#include "model/cMenuWrapper.h"
#include "model/cOptionWrapper.h"
#include "model/cPictureWrapper.h"
#include "model/cRootObject.h"
#include "model/cTabgrpWrapper.h"
#include "model/cTabpnlWrapper.h"
#include "model/cTimerWrapper.h"
#include "model/cTreeWrapper.h"
#include "support/GuiError.h"

using namespace Vocabulary;

std::unique_ptr<iControlWrapper> WrapperFactory::Create(int type)
{
    switch (WrapperKindOf(type)) {
    case WrapperKind::Root: return std::make_unique<cRootObject>();
    case WrapperKind::App: return std::make_unique<cAppWrapper>();
    case WrapperKind::Form: return std::make_unique<cFormWrapper>();
    case WrapperKind::Label: return std::make_unique<cLabelWrapper>();
    case WrapperKind::Edit: return std::make_unique<cEditWrapper>();
    case WrapperKind::Command: return std::make_unique<cCommandWrapper>();
    case WrapperKind::Option: return std::make_unique<cOptionWrapper>();
    case WrapperKind::Check: return std::make_unique<cCheckWrapper>();
    case WrapperKind::List: return std::make_unique<cListWrapper>();
    case WrapperKind::Combo: return std::make_unique<cComboWrapper>();
    case WrapperKind::Picture: return std::make_unique<cPictureWrapper>();
    case WrapperKind::Frame: return std::make_unique<cFrameWrapper>();
    case WrapperKind::Grid: return std::make_unique<cGridWrapper>();
    case WrapperKind::Tabgrp: return std::make_unique<cTabgrpWrapper>();
    case WrapperKind::Tabpnl: return std::make_unique<cTabpnlWrapper>();
    case WrapperKind::Gauge: return std::make_unique<cGaugeWrapper>();
    case WrapperKind::Tree: return std::make_unique<cTreeWrapper>();
    case WrapperKind::Timer: return std::make_unique<cTimerWrapper>();
    case WrapperKind::Browser: return std::make_unique<cBrowserWrapper>();
    case WrapperKind::Menu: return std::make_unique<cMenuWrapper>();
    }
    throw GuiError(GuiErrors::InvalidArgument);
}


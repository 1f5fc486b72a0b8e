#pragma once
// The report modules of the program, created in their place of the start-up
// order. Each declares its named data connections; the owner of all modules
// binds them to the held results of the data modules.

#include "ReportModule.h"

#include "data/HeldResult.h"

namespace rv {

class TRVCLIENTE : public ReportModule {
public:
    TRVCLIENTE();
};

class TRVPEDIDOS : public ReportModule {
public:
    TRVPEDIDOS();
};

class TRVMOTOQUEIRO : public ReportModule {
public:
    TRVMOTOQUEIRO();
};

// The cash report module holds the two cash datasets itself.
class TRVFINANCEIRO : public ReportModule {
public:
    explicit TRVFINANCEIRO(Connection &connection);
    HeldResult cdsCaixa;
    HeldResult cdsCaixaAnual;
};

class TDM_REL : public ReportModule {
public:
    TDM_REL();
};

class TRMAdm : public ReportModule {
public:
    TRMAdm();
};

class TrvRadio : public ReportModule {
public:
    TrvRadio();
};

} // namespace rv

// ComErrors: the table of COM failure codes that VBScript reports as one of its own run-time
// errors. One line per code, named after its constant in the COM headers. Codes missing here
// (E_FAIL, E_UNEXPECTED, DISP_E_EXCEPTION, the 8007xxxx wrapping of most Win32 errors, ...)
// keep their own number when raised.
#include "vbscript/ComErrors.h"

namespace vbs::detail {

namespace {

struct ComError {
  std::uint32_t code;
  int number;
};

constexpr ComError kComErrors[] = {
    // Common codes
    {0x80004001u, 445},  // E_NOTIMPL: Object doesn't support this action
    {0x80004002u, 430},  // E_NOINTERFACE: Class doesn't support Automation
    {0x80070005u, 70},   // E_ACCESSDENIED: Permission denied
    {0x8007000Eu, 7},    // E_OUTOFMEMORY: Out of memory
    {0x80070057u, 5},    // E_INVALIDARG: Invalid procedure call or argument
    {0x800706BAu, 462},  // HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)

    // IDispatch
    {0x80020001u, 438},  // DISP_E_UNKNOWNINTERFACE
    {0x80020003u, 438},  // DISP_E_MEMBERNOTFOUND
    {0x80020004u, 448},  // DISP_E_PARAMNOTFOUND: Named argument not found
    {0x80020005u, 13},   // DISP_E_TYPEMISMATCH
    {0x80020006u, 438},  // DISP_E_UNKNOWNNAME
    {0x80020007u, 446},  // DISP_E_NONAMEDARGS
    {0x80020008u, 458},  // DISP_E_BADVARTYPE
    {0x8002000Au, 6},    // DISP_E_OVERFLOW
    {0x8002000Bu, 9},    // DISP_E_BADINDEX
    {0x8002000Cu, 447},  // DISP_E_UNKNOWNLCID
    {0x8002000Du, 10},   // DISP_E_ARRAYISLOCKED
    {0x8002000Eu, 450},  // DISP_E_BADPARAMCOUNT
    {0x8002000Fu, 449},  // DISP_E_PARAMNOTOPTIONAL
    {0x80020011u, 451},  // DISP_E_NOTACOLLECTION
    {0x80020012u, 11},   // DISP_E_DIVBYZERO

    // Type libraries
    {0x80028016u, 10},     // TYPE_E_BUFFERTOOSMALL
    {0x8002802Bu, 32811},  // TYPE_E_ELEMENTNOTFOUND: Element not found
    {0x8002802Fu, 453},    // TYPE_E_DLLFUNCTIONNOTFOUND
    {0x80028CA0u, 13},     // TYPE_E_TYPEMISMATCH
    {0x80028CA1u, 9},      // TYPE_E_OUTOFBOUNDS
    {0x80028CA2u, 57},     // TYPE_E_IOERROR
    {0x80028CA3u, 322},    // TYPE_E_CANTCREATETMPFILE
    {0x80029C4Au, 48},     // TYPE_E_CANTLOADLIBRARY

    // Structured storage
    {0x80030001u, 5},    // STG_E_INVALIDFUNCTION
    {0x80030002u, 432},  // STG_E_FILENOTFOUND
    {0x80030003u, 76},   // STG_E_PATHNOTFOUND
    {0x80030004u, 67},   // STG_E_TOOMANYOPENFILES
    {0x80030005u, 70},   // STG_E_ACCESSDENIED
    {0x80030006u, 52},   // STG_E_INVALIDHANDLE
    {0x80030008u, 7},    // STG_E_INSUFFICIENTMEMORY
    {0x80030012u, 67},   // STG_E_NOMOREFILES
    {0x80030013u, 70},   // STG_E_DISKISWRITEPROTECTED
    {0x80030019u, 57},   // STG_E_SEEKERROR
    {0x8003001Du, 57},   // STG_E_WRITEFAULT
    {0x8003001Eu, 57},   // STG_E_READFAULT
    {0x80030020u, 75},   // STG_E_SHAREVIOLATION
    {0x80030021u, 70},   // STG_E_LOCKVIOLATION
    {0x80030050u, 58},   // STG_E_FILEALREADYEXISTS
    {0x80030070u, 61},   // STG_E_MEDIUMFULL
    {0x800300FCu, 52},   // STG_E_INVALIDNAME
    {0x800300FDu, 57},   // STG_E_UNKNOWN
    {0x80030100u, 57},   // STG_E_INUSE
    {0x80030101u, 57},   // STG_E_NOTCURRENT
    {0x80030102u, 57},   // STG_E_REVERTED
    {0x80030103u, 57},   // STG_E_CANTSAVE

    // Creating objects
    {0x80040112u, 429},  // CLASS_E_NOTLICENSED
    {0x80040154u, 429},  // REGDB_E_CLASSNOTREG
    {0x800401E3u, 429},  // MK_E_UNAVAILABLE
    {0x800401E6u, 432},  // MK_E_INVALIDEXTENSION
    {0x800401EAu, 432},  // MK_E_CANTOPENFILE
    {0x800401F3u, 429},  // CO_E_CLASSSTRING
    {0x800401F5u, 429},  // CO_E_APPNOTFOUND
    {0x800401FEu, 429},  // CO_E_APPDIDNTREG
    {0x80080005u, 429},  // CO_E_SERVER_EXEC_FAILURE
};

}  // namespace

int VbNumberOfComError(std::uint32_t code) {
  for (const ComError& e : kComErrors) {
    if (e.code == code) return e.number;
  }
  return 0;
}

}  // namespace vbs::detail

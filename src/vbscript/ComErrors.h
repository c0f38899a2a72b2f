// ComErrors: the VBScript run-time error a COM status code (HRESULT) stands for.
//
// Err.Raise given a failure code of another facility reports the VBScript number that code
// maps to; codes the table does not list keep their own number.
#pragma once

#include <cstdint>

namespace vbs::detail {

// The VBScript error number for a COM failure code, or 0 when the code maps to none.
int VbNumberOfComError(std::uint32_t code);

}  // namespace vbs::detail

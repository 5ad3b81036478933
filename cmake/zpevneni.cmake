# Hardening of every program and test, the flags Debian's own packages are
# built with (dpkg-buildflags with hardening=+all): fortified libc calls,
# stack protector for functions with arrays or address-taken locals, stack
# clash and control-flow protection, position-independent executables and a
# read-only relocation table bound at start (RELRO + BIND_NOW).

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong -fstack-clash-protection
                    -Wformat -Werror=format-security)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i.86)$")
  add_compile_options(-fcf-protection)
endif()
# _FORTIFY_SOURCE works only with optimisation; glibc warns about it at -O0.
# The sanitizers check the same calls themselves.
if(NOT ZRC_SANITIZE)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)

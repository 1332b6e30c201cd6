# Debian's hardening for everything built here, as dpkg-buildflags gives it
# with hardening=+all: a stack protector, fortified libc calls, a
# position-independent executable, and a read-only relocation table bound
# at start-up. None of it touches the floating-point code.
#
# Not with the sanitizers or the fuzzers: they bring their own checks and
# interceptors, and fortified calls would hide accesses from them.
if(NOT VEMBRIX_SANITIZE AND NOT VEMBRIX_FUZZ)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
                      # glibc warns about fortification without optimization
                      $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()

# Compiler flags shared by every target of ours. Third-party code never gets them.

# Same floating-point results in the native and the Windows build: no contraction into
# FMA, and SSE2 arithmetic instead of x87 on i686.
set(OCELOT_FP_FLAGS -ffp-contract=off)
if(WIN32 AND CMAKE_SYSTEM_PROCESSOR MATCHES "i686|x86")
  list(APPEND OCELOT_FP_FLAGS -msse2 -mfpmath=sse)
endif()

if(OCELOT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX STRICT)
  # One self-contained exe per program: no MinGW runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Warnings high; warnings in our own code are errors.
function(ocelot_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror ${OCELOT_FP_FLAGS})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

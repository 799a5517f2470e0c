# Compiler settings every target of the project shares: warnings are errors, and the
# sanitizers are switched on for the whole build when Z9RT_SANITIZE or Z9RT_TSAN is set.

set(Z9RT_WARNING_FLAGS
    -Wall
    -Wextra
    -Wpedantic
    -Wshadow
    -Wnon-virtual-dtor
    -Wold-style-cast
    -Wcast-align
    -Woverloaded-virtual
    -Wimplicit-fallthrough
    -Werror)

if(Z9RT_SANITIZE)
  set(Z9RT_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                           -fno-omit-frame-pointer)
  add_compile_options(${Z9RT_SANITIZER_FLAGS})
  add_link_options(${Z9RT_SANITIZER_FLAGS})
endif()

# ThreadSanitizer cannot share a process with AddressSanitizer, hence a build of its own.
if(Z9RT_TSAN)
  if(Z9RT_SANITIZE)
    message(FATAL_ERROR "Z9RT_TSAN and Z9RT_SANITIZE exclude each other: configure two builds")
  endif()
  set(Z9RT_TSAN_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
  add_compile_options(${Z9RT_TSAN_FLAGS})
  add_link_options(${Z9RT_TSAN_FLAGS})
endif()

# z9rt_target_defaults(<target>): warnings as errors for a target of ours (not for generated
# code such as Qt's moc and rcc output, which the callers keep in separate targets).
function(z9rt_target_defaults target)
  target_compile_options(${target} PRIVATE ${Z9RT_WARNING_FLAGS})
endfunction()

# Warnings, the execution character set and static linking, decided once for every target.
add_compile_options(-Wall -Wextra -Werror)

if(WIN32)
  # Sources are UTF-8; the program's own texts must reach Windows in the ANSI
  # code page of the target systems (GBK). This is the one place that decides it.
  # GB18030 encodes every GBK character with the same bytes, and unlike GBK it
  # can also encode the few other characters that the standard headers hold.
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=GB18030> $<$<COMPILE_LANGUAGE:C>:-fexec-charset=GB18030>)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # No MinGW runtime DLL beside the program: a clean Windows must run it as it is.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(LINKSHELF_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

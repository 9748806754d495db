# Compiler settings shared by every target of the project.
add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0700)

if(MSVC)
  add_compile_options(/W4 /utf-8)
else()
  add_compile_options(-Wall -Wextra -finput-charset=UTF-8 -fexec-charset=UTF-8)
  # No MinGW runtime DLL may be needed beside the program.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Adds a GUI program with a wide entry point.
function(lumenary_gui_executable name)
  add_executable(${name} WIN32 ${ARGN})
  if(NOT MSVC)
    target_link_options(${name} PRIVATE -municode)
  endif()
endfunction()

# Adds a console program with a wide entry point.
function(lumenary_console_executable name)
  add_executable(${name} ${ARGN})
  if(NOT MSVC)
    target_link_options(${name} PRIVATE -municode)
  endif()
endfunction()

# Runs entrybox-gallery as the README's first command does on a machine without a
# display, and checks what it must do: exit 0, write the screenshot, print each
# control's text. Run with -DGALLERY=... -DSCREENSHOT=...
file(REMOVE ${SCREENSHOT})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          ${GALLERY} --screenshot ${SCREENSHOT}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 120)
message("${output}${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "entrybox-gallery exited with ${result}")
endif()
if(NOT EXISTS ${SCREENSHOT})
  message(FATAL_ERROR "no screenshot at ${SCREENSHOT}")
endif()
file(READ ${SCREENSHOT} header LIMIT 8 HEX)
if(NOT header STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "${SCREENSHOT} is no PNG")
endif()
foreach(line
    "No display: the gallery ran on Qt's offscreen platform."
    "txtAmount (twLong): field \"1,234,567\", Text \"1234567\""
    "txtPrice (twReal): field \"-1,234.50\", Text \"-1234.50\""
    "txtDue (twDate): field \"12/25/2024\", Text \"12/25/2024\""
    "txtPhone (twMask): field \"(555) 123-4567\", Text \"5551234567\"")
  string(FIND "${output}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the gallery did not print: ${line}")
  endif()
endforeach()

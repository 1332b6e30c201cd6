# Run by CPack on the staged files, after its strip: drops the compilers'
# version notes that Debian's own stripping removes too, so the packaged
# program carries nothing but code and data.
find_program(OBJCOPY_EXECUTABLE objcopy REQUIRED)
execute_process(
  COMMAND ${OBJCOPY_EXECUTABLE} --remove-section=.comment --remove-section=.note
          ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/vembrix
  COMMAND_ERROR_IS_FATAL ANY)

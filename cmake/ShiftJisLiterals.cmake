# The Windows program's sources are UTF-8 like every other, but their
# Japanese string literals must be the Shift-JIS bytes that the ANSI
# functions take. Only for Windows-only targets: the portable core keeps its
# literals in UTF-8.
function(lexiforge_shift_jis_literals target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP932)
endfunction()

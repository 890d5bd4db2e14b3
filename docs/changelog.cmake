# Writes Debian's changelog for the release, run at build time by cmake -P:
# the release date in the form Debian's tools read, from GNU date.
execute_process(COMMAND date --utc --date=${KORVAN_RELEASE_DATE} "+%a, %d %b %Y %H:%M:%S +0000"
                OUTPUT_VARIABLE KORVAN_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${INPUT} ${OUTPUT} @ONLY)

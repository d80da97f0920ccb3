tw_content_copy(c5/c5.xml c5.xml)

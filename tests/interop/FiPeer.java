// Command-line peer for the Fast Infoset interoperability tests: converts XML
// text to Fast Infoset and back with an independent Java implementation, used
// through its public SAX interfaces with their default settings.
//
//   java FiPeer encode IN.xml OUT.fi [IN.xml OUT.fi ...]
//   java FiPeer decode IN.fi OUT.xml [IN.fi OUT.xml ...]
//
// Several pairs per call keep the start-up of the virtual machine out of each
// document. The exit status is 0 when every pair was converted; a pair that
// fails is reported on standard error with its input, and the others still run.

import com.sun.xml.fastinfoset.sax.SAXDocumentParser;
import com.sun.xml.fastinfoset.sax.SAXDocumentSerializer;

import java.io.BufferedOutputStream;
import java.io.BufferedWriter;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.io.OutputStreamWriter;
import java.io.Writer;
import java.nio.charset.StandardCharsets;
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

import javax.xml.XMLConstants;
import javax.xml.parsers.SAXParserFactory;

import org.jvnet.fastinfoset.sax.FastInfosetReader;
import org.xml.sax.Attributes;
import org.xml.sax.InputSource;
import org.xml.sax.XMLReader;
import org.xml.sax.ext.DefaultHandler2;

public final class FiPeer {
    private static final String LEXICAL_HANDLER = "http://xml.org/sax/properties/lexical-handler";

    public static void main(String[] args) {
        if (args.length < 3 || args.length % 2 == 0 || !(args[0].equals("encode") || args[0].equals("decode"))) {
            System.err.println("usage: FiPeer encode|decode IN OUT [IN OUT ...]");
            System.exit(2);
        }
        final boolean encode = args[0].equals("encode");
        int failures = 0;
        for (int i = 1; i < args.length; i += 2) {
            try {
                if (encode)
                    encode(args[i], args[i + 1]);
                else
                    decode(args[i], args[i + 1]);
            } catch (Exception e) {
                ++failures;
                System.err.println(args[i] + ": " + e);
            }
        }
        System.exit(failures == 0 ? 0 : 1);
    }

    // XML text read by the platform's namespace-aware SAX parser, written by
    // the peer's SAX serializer; comments and processing instructions pass
    // through the lexical handler.
    private static void encode(String in, String out) throws Exception {
        SAXParserFactory factory = SAXParserFactory.newInstance();
        factory.setNamespaceAware(true);
        XMLReader reader = factory.newSAXParser().getXMLReader();
        try (InputStream input = new FileInputStream(in);
             OutputStream output = new BufferedOutputStream(new FileOutputStream(out))) {
            SAXDocumentSerializer serializer = new SAXDocumentSerializer();
            serializer.setOutputStream(output);
            reader.setContentHandler(serializer);
            reader.setProperty(LEXICAL_HANDLER, serializer);
            reader.parse(new InputSource(input));
        }
    }

    // Fast Infoset read by the peer's SAX parser, written as UTF-8 XML text.
    private static void decode(String in, String out) throws Exception {
        try (InputStream input = new FileInputStream(in);
             Writer output = new BufferedWriter(new OutputStreamWriter(new FileOutputStream(out),
                                                                       StandardCharsets.UTF_8))) {
            FastInfosetReader parser = new SAXDocumentParser();
            XmlTextHandler handler = new XmlTextHandler(output);
            parser.setContentHandler(handler);
            parser.setLexicalHandler(handler);
            parser.parse(input);
            handler.finish();
        }
    }

    // Writes SAX events as XML text: names keep the prefixes the document
    // used; namespace declarations reported by startPrefixMapping go on the
    // next start tag, together with any that the names of that tag need but
    // no declaration in scope gives (such as xmlns="" for an element without
    // namespace inside a default namespace). Start tags stay open until
    // content or the end tag arrives.
    private static final class XmlTextHandler extends DefaultHandler2 {
        private final Writer out;
        private final List<String[]> pendingMappings = new ArrayList<>();
        // In-scope prefix bindings, innermost last ("" is the default namespace).
        private final ArrayDeque<Map<String, String>> scopes = new ArrayDeque<>();
        private boolean startTagOpen = false;

        XmlTextHandler(Writer out) {
            this.out = out;
            Map<String, String> initial = new HashMap<>();
            initial.put("", "");
            initial.put("xml", XMLConstants.XML_NS_URI);
            scopes.push(initial);
        }

        void finish() throws IOException {
            out.write('\n');
        }

        @Override
        public void startDocument() throws org.xml.sax.SAXException {
            write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        }

        @Override
        public void startPrefixMapping(String prefix, String uri) {
            pendingMappings.add(new String[] {prefix, uri});
        }

        private static String prefixOf(String qName) {
            int colon = qName.indexOf(':');
            return colon < 0 ? "" : qName.substring(0, colon);
        }

        @Override
        public void startElement(String uri, String localName, String qName, Attributes attributes)
            throws org.xml.sax.SAXException {
            closeStartTag();
            Map<String, String> scope = new HashMap<>(scopes.peek());
            Map<String, String> declared = new LinkedHashMap<>();
            for (String[] mapping : pendingMappings) {
                scope.put(mapping[0], mapping[1]);
                declared.put(mapping[0], mapping[1]);
            }
            pendingMappings.clear();
            String elementPrefix = prefixOf(qName);
            if (!uri.equals(scope.get(elementPrefix))) {
                scope.put(elementPrefix, uri);
                declared.put(elementPrefix, uri);
            }
            StringBuilder names = new StringBuilder();
            for (int i = 0; i < attributes.getLength(); ++i) {
                // Namespace declarations came through startPrefixMapping already.
                String name = attributes.getQName(i);
                if (name.equals("xmlns") || name.startsWith("xmlns:"))
                    continue;
                String attributeUri = attributes.getURI(i);
                String prefix = prefixOf(name);
                if (!attributeUri.isEmpty() && (prefix.isEmpty() || !attributeUri.equals(scope.get(prefix)))) {
                    if (prefix.isEmpty()) {
                        prefix = "ns";
                        for (int n = 1; scope.containsKey(prefix); ++n)
                            prefix = "ns" + n;
                        name = prefix + ":" + attributes.getLocalName(i);
                    }
                    scope.put(prefix, attributeUri);
                    declared.put(prefix, attributeUri);
                }
                names.append(' ').append(name).append("=\"");
                escape(names, attributes.getValue(i), true);
                names.append('"');
            }
            scopes.push(scope);
            StringBuilder tag = new StringBuilder("<").append(qName);
            for (Map.Entry<String, String> declaration : declared.entrySet()) {
                tag.append(declaration.getKey().isEmpty() ? " xmlns" : " xmlns:" + declaration.getKey()).append("=\"");
                escape(tag, declaration.getValue(), true);
                tag.append('"');
            }
            write(tag.append(names).toString());
            startTagOpen = true;
        }

        @Override
        public void endElement(String uri, String localName, String qName) throws org.xml.sax.SAXException {
            scopes.pop();
            if (startTagOpen) {
                startTagOpen = false;
                write("/>");
            } else {
                write("</" + qName + ">");
            }
        }

        @Override
        public void characters(char[] ch, int start, int length) throws org.xml.sax.SAXException {
            closeStartTag();
            StringBuilder text = new StringBuilder(length + 16);
            escape(text, new String(ch, start, length), false);
            write(text.toString());
        }

        @Override
        public void ignorableWhitespace(char[] ch, int start, int length) throws org.xml.sax.SAXException {
            characters(ch, start, length);
        }

        @Override
        public void processingInstruction(String target, String data) throws org.xml.sax.SAXException {
            closeStartTag();
            write("<?" + target + (data == null || data.isEmpty() ? "" : " " + data) + "?>");
        }

        @Override
        public void comment(char[] ch, int start, int length) throws org.xml.sax.SAXException {
            closeStartTag();
            write("<!--" + new String(ch, start, length) + "-->");
        }

        private void closeStartTag() throws org.xml.sax.SAXException {
            if (startTagOpen) {
                startTagOpen = false;
                write(">");
            }
        }

        private void write(String text) throws org.xml.sax.SAXException {
            try {
                out.write(text);
            } catch (IOException e) {
                throw new org.xml.sax.SAXException(e);
            }
        }

        // Markup characters, and in attribute values the white space that
        // attribute normalisation would otherwise change, as references.
        private static void escape(StringBuilder to, String text, boolean attribute) {
            for (int i = 0; i < text.length(); ++i) {
                char c = text.charAt(i);
                switch (c) {
                case '&': to.append("&amp;"); break;
                case '<': to.append("&lt;"); break;
                case '>': to.append("&gt;"); break;
                case '\r': to.append("&#13;"); break;
                case '"': to.append(attribute ? "&quot;" : "\""); break;
                case '\t': to.append(attribute ? "&#9;" : "\t"); break;
                case '\n': to.append(attribute ? "&#10;" : "\n"); break;
                default: to.append(c);
                }
            }
        }
    }
}
